#pragma once

#include <string>
#include <sys/types.h>

namespace virdamo::bench {

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

}  // namespace virdamo::bench
