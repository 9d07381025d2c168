#include "studio/QtHttpClient.hpp"

#include <future>
#include <thread>

#include <QEventLoop>
#include <QTimer>

#include "host/HostError.hpp"

namespace velmora::studio {
namespace {

// How often the request is looked at while Qt's loop runs.
constexpr std::chrono::milliseconds kLookInterval{10};

}  // namespace

QtHttpClient::QtHttpClient(std::shared_ptr<host::HttpClient> request, std::function<void(bool waiting)> waiting)
    : request_(std::move(request)), report_(std::move(waiting))
{
}

host::HttpResponse QtHttpClient::Get(const std::string& address, const host::HttpHeader& header,
                                     std::chrono::milliseconds limit)
{
    // The thread owns what it uses: a wait given up leaves the request to
    // end on its own time limit.
    std::packaged_task<host::HttpResponse()> request(
        [request = request_, address, header, limit] { return request->Get(address, header, limit); });
    std::future<host::HttpResponse> answer = request.get_future();
    std::thread(std::move(request)).detach();

    givenUp_ = false;
    waiting_ = true;
    report_(true);
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (givenUp_ || answer.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready) {
            loop.quit();
        }
    });
    look.start(kLookInterval);
    loop.exec();
    waiting_ = false;
    report_(false);
    if (givenUp_) {
        throw host::HostError("the wait for " + address + " was given up");
    }
    return answer.get();
}

void QtHttpClient::GiveUp()
{
    givenUp_ = true;
}

}  // namespace velmora::studio
