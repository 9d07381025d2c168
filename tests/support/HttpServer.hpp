#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace velmora::testing {

// A real HTTP server on 127.0.0.1 at a free port, serving what the test sets
// up, for the life of the object. Paths nobody set up answer 404.
class HttpServer {
public:
    struct Request {
        std::string target;  // path and query as sent, percent-decoded by the server
        std::string contentType;
    };

    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // "http://127.0.0.1:PORT"
    std::string Base() const;
    void Serve(const std::string& path, int status, const std::string& body);
    void Redirect(const std::string& path, const std::string& location);
    std::vector<Request> Requests() const;

private:
    struct Answer {
        int status = 404;
        std::string body;
        std::string location;
    };

    std::unique_ptr<httplib::Server> server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, Answer> answers_;
    std::vector<Request> requests_;
};

// A port on 127.0.0.1 that accepts connections and never answers.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    std::string Base() const;

private:
    int socket_ = -1;
    int port_ = 0;
};

}  // namespace velmora::testing
