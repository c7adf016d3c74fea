#include "mqtt/commandqueue.h"

#include <algorithm>

std::optional<TopicRequest> CommandQueue::push(const TopicRequest &request)
{
    if (size() < Capacity) {
        m_requests.push_back(request);
        return std::nullopt;
    }
    auto victim = std::find_if(m_requests.begin(), m_requests.end(), [&](const TopicRequest &r) {
        return r.supersedable() && r.topic == request.topic;
    });
    if (victim == m_requests.end())
        victim = std::find_if(m_requests.begin(), m_requests.end(),
                              [](const TopicRequest &r) { return r.supersedable(); });
    if (victim == m_requests.end())
        return request;
    const TopicRequest dropped = *victim;
    m_requests.erase(victim);
    m_requests.push_back(request);
    return dropped;
}

std::optional<TopicRequest> CommandQueue::pop()
{
    if (m_requests.empty())
        return std::nullopt;
    const TopicRequest request = m_requests.front();
    m_requests.pop_front();
    return request;
}
