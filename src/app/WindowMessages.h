#pragma once

#include <QEvent>

// The main window's own messages. They travel as posted events whose type
// carries the message number, so their order against other posted events is
// the order they were posted in.
namespace WindowMessages {

inline constexpr int WM_USER = 0x400;
inline constexpr int WM_PIPEREPLY = WM_USER + 40;         // 0x428
inline constexpr int WM_UPDATECHECKDONE = WM_USER + 42;   // 0x42A
inline constexpr int WM_PIPECONNECTED = WM_USER + 51;     // 0x433
inline constexpr int WM_NOUPDATE = WM_USER + 63;          // 0x43F
inline constexpr int WM_UPDATEAVAILABLE = WM_USER + 64;   // 0x440
inline constexpr int WM_RECONNECT = WM_USER + 100;        // 0x464
inline constexpr int WM_STARTUP = WM_USER + 101;          // 0x465

inline QEvent::Type eventType(int message)
{
    return static_cast<QEvent::Type>(QEvent::User + message);
}

class Message : public QEvent
{
public:
    Message(int message, qintptr wParam = 0, qintptr lParam = 0)
        : QEvent(eventType(message))
        , m_message(message)
        , m_wParam(wParam)
        , m_lParam(lParam)
    {
    }
    int message() const { return m_message; }
    qintptr wParam() const { return m_wParam; }
    qintptr lParam() const { return m_lParam; }

private:
    int m_message;
    qintptr m_wParam;
    qintptr m_lParam;
};

} // namespace WindowMessages
