#include "tests/support/HttpServer.hpp"

#include <chrono>
#include <stdexcept>

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora::testing {

HttpServer::HttpServer() : server_(std::make_unique<httplib::Server>())
{
    server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        std::lock_guard lock(mutex_);
        std::string target = request.path;
        std::string separator = "?";
        for (const auto& [key, value] : request.params) {
            target += separator + key + "=" + value;
            separator = "&";
        }
        requests_.push_back({target, request.get_header_value("Content-Type")});
        const auto found = answers_.find(request.path);
        const Answer answer = found != answers_.end() ? found->second : Answer{};
        response.status = answer.status;
        if (!answer.location.empty()) {
            response.set_header("Location", answer.location);
        }
        response.set_content(answer.body, "text/xml");
    });
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
        throw std::runtime_error("the test HTTP server found no port");
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // stop() only ends a server that is already running.
    while (!server_->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

HttpServer::~HttpServer()
{
    server_->stop();
    thread_.join();
}

std::string HttpServer::Base() const
{
    return "http://127.0.0.1:" + std::to_string(port_);
}

void HttpServer::Serve(const std::string& path, int status, const std::string& body)
{
    std::lock_guard lock(mutex_);
    answers_[path] = {status, body, ""};
}

void HttpServer::Redirect(const std::string& path, const std::string& location)
{
    std::lock_guard lock(mutex_);
    answers_[path] = {302, "", location};
}

std::vector<HttpServer::Request> HttpServer::Requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

SilentServer::SilentServer() : socket_(::socket(AF_INET, SOCK_STREAM, 0))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(socket_, 16) != 0 || ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("the silent test server cannot listen");
    }
    port_ = ntohs(address.sin_port);
}

SilentServer::~SilentServer()
{
    ::close(socket_);
}

std::string SilentServer::Base() const
{
    return "http://127.0.0.1:" + std::to_string(port_);
}

}  // namespace velmora::testing
