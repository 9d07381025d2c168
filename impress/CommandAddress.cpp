#include "impress/CommandAddress.hpp"

namespace velmora::impress {

std::string RibbonLabel(std::string label)
{
    label.erase(label.find_last_not_of(' ') + 1);
    return label;
}

std::string CommandUrl(const std::string& onAction, const std::string& controlId, int index)
{
    std::string url = kProtocol + onAction + "?control=" + controlId;
    if (index >= 0) {
        url += "&index=" + std::to_string(index);
    }
    return url;
}

}  // namespace velmora::impress
