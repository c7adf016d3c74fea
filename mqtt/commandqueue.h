#pragma once

#include "mqtt/topicrequest.h"

#include <deque>
#include <optional>

// The requests waiting for the board, in order of arrival, at most Capacity
// of them: messages can come faster than the wire takes them. When it is
// full, a new request makes room by dropping the oldest display or line
// update of its own topic, else the oldest of any display or line update,
// since a newer text makes an older one moot; a line of .../command and
// the other settings are never dropped, so when nothing can go the new
// request itself is refused.
class CommandQueue
{
public:
    static constexpr int Capacity = 32;

    // The request that had to go (an older update, or this one); none when
    // there was room.
    std::optional<TopicRequest> push(const TopicRequest &request);
    std::optional<TopicRequest> pop();
    int size() const { return int(m_requests.size()); }

private:
    std::deque<TopicRequest> m_requests;
};
