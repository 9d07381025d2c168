#include "addin/FailureReason.hpp"

#include <array>
#include <utility>

namespace velmora::addin {
namespace {

constexpr std::array<std::pair<const char*, const char*>, 10> kReasons{{
    {"not a zip archive", "文件已损坏"},
    {"damaged", "文件已损坏"},
    {"not a presentation", "不是演示文稿"},
    {"no such file", "文件不存在"},
    {"No such file", "文件不存在"},
    {"not a file", "不是文件"},
    {"Permission denied", "没有访问权限"},
    {"No space left", "磁盘空间不足"},
    {"needs an X11 session", "需要 X11 桌面会话，当前没有可用的 X11 显示"},
    {"read-only", "文件是只读的，不能更改"},
}};

}  // namespace

std::optional<std::string> ReasonInChinese(const std::string& hostMessage)
{
    for (const auto& [words, chinese] : kReasons) {
        if (hostMessage.find(words) != std::string::npos) {
            return chinese;
        }
    }
    return std::nullopt;
}

}  // namespace velmora::addin
