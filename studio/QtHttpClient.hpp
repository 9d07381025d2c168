#pragma once

#include <functional>
#include <memory>

#include "host/XmlHttp.hpp"

namespace velmora::studio {

// The platform's request object in the studio. The add-in waits for the
// answer polling the request and handling the window's messages between the
// polls: here the request runs on a thread of its own while Qt's loop goes
// on, so the window answers clicks and paints while the server is silent,
// and the user may give up the wait.
class QtHttpClient : public host::HttpClient {
public:
    // `waiting` hears true when a request starts and false once it is over.
    QtHttpClient(std::shared_ptr<host::HttpClient> request, std::function<void(bool waiting)> waiting);

    // Raises the host error also when the user gave up waiting.
    host::HttpResponse Get(const std::string& address, const host::HttpHeader& header,
                           std::chrono::milliseconds limit) override;
    // Ends the wait running now; the add-in takes it as no answer.
    void GiveUp();
    bool Waiting() const { return waiting_; }
    // The request object without the studio's wait.
    const std::shared_ptr<host::HttpClient>& Request() const { return request_; }

private:
    std::shared_ptr<host::HttpClient> request_;
    std::function<void(bool)> report_;
    bool waiting_ = false;
    bool givenUp_ = false;
};

}  // namespace velmora::studio
