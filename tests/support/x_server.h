#pragma once

#include <optional>

#include <QPoint>
#include <QStringList>

#include <string>
#include <sys/types.h>

class QWidget;

namespace virdamo::test {

/// A virtual X display of the caller's own (Xvfb), so that windows are measured and looked
/// at on a real display server without touching any display the machine may have. The
/// destructor stops the server.
class PrivateXServer final {
public:
    /// Starts Xvfb with one screen of width x height pixels at 24 bits and waits until it
    /// takes connections; throws if it does not.
    PrivateXServer(int width, int height);
    ~PrivateXServer();

    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    /// The display name, ":N".
    [[nodiscard]] const std::string& display() const { return display_; }
    /// Sets DISPLAY to this server and selects Qt's X11 platform, for a QApplication created afterwards.
    void useFromThisProcess() const;

private:
    void stop();

    std::string display_;
    pid_t pid_ = -1;
};

/// Input sent through the display server with xdotool, as a user's hand gives it: it meets
/// every filter a real click or key meets. It is sent without waiting, so the caller's
/// event loop must run to take it.
namespace input {

/// Runs xdotool with arguments, in the background.
void send(const QStringList& arguments);
/// Moves the pointer to at in widget (its middle by default) and clicks its left button
/// (twice for a double click).
void click(const QWidget& widget, int times = 1, std::optional<QPoint> at = std::nullopt);
/// Presses and releases key ("space", "Escape", "Left", "p") in the window that has the focus.
void key(const QString& key);

}  // namespace input

}  // namespace virdamo::test
