#include "support/msgboxrecorder.h"

#include <QStringList>

MsgBoxRecorder::MsgBoxRecorder()
{
    SetMsgBoxHandler([this](const MsgBoxRequest &request) {
        m_boxes << request;
        if (m_whileShown)
            m_whileShown(request);
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return request.defaultButton != QMessageBox::NoButton ? request.defaultButton
                                                              : QMessageBox::Ok;
    });
}

MsgBoxRecorder::~MsgBoxRecorder()
{
    SetMsgBoxHandler({});
}

int MsgBoxRecorder::count(const QString &text) const
{
    return int(std::count_if(m_boxes.cbegin(), m_boxes.cend(),
                             [&](const MsgBoxRequest &box) { return box.text == text; }));
}

QStringList MsgBoxRecorder::texts() const
{
    QStringList result;
    for (const auto &box : m_boxes)
        result << box.text;
    return result;
}
