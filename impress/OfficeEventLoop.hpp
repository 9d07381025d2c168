#pragma once

#include <memory>
#include <thread>

#include <com/sun/star/uno/XComponentContext.hpp>

#include "x11/EventLoop.hpp"

namespace velmora::impress {

// The X11 screen's loop inside Impress, without the toolkit's internals: a
// watcher thread polls the descriptor and the timers' deadlines and hands
// each due callback to the office's main thread through AsyncCallback. A
// source is posted again only once its last callback ran, so a slow main
// thread is never flooded; no callback runs once the loop is gone.
class OfficeEventLoop : public x11::EventLoop {
public:
    explicit OfficeEventLoop(const css::uno::Reference<css::uno::XComponentContext>& office);
    // Waits for a callback running on another thread, then stops the watcher.
    ~OfficeEventLoop() override;
    OfficeEventLoop(const OfficeEventLoop&) = delete;
    OfficeEventLoop& operator=(const OfficeEventLoop&) = delete;

    void WatchReadable(int descriptor, std::function<void()> ready) override;
    void StopWatching() override;
    int StartTimer(int milliseconds, std::function<void()> tick) override;
    void StopTimer(int id) override;

    struct Shared;

private:
    static void Watch(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
    std::thread watcher_;
};

}  // namespace velmora::impress
