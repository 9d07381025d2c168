#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace velmora::host {

// The response of an HTTP request read as an XML document. A body that is not
// XML reads as an empty document.
class XmlDocument {
public:
    virtual ~XmlDocument() = default;
    // The texts of the nodes an XPath expression selects, in document order,
    // read by index as the node list's items; none for a path that selects
    // nothing or does not parse.
    virtual std::vector<std::string> SelectNodes(const std::string& path) const = 0;
};

struct HttpHeader {
    std::string name;
    std::string value;
};

struct HttpResponse {
    int Status = 0;
    std::shared_ptr<const XmlDocument> responseXML;  // never null
};

// The platform's XML HTTP request object, reduced to what the add-in asks of
// it: a synchronous GET with one request header.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Waits at most `limit` for the whole exchange. Raises the host error when
    // no answer came (no such host, refused, too slow, too large, not http or
    // https); an answer with any status is a response.
    virtual HttpResponse Get(const std::string& address, const HttpHeader& header,
                             std::chrono::milliseconds limit) = 0;
};

}  // namespace velmora::host
