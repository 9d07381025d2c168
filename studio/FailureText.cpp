#include "studio/FailureText.hpp"

#include <array>
#include <utility>

namespace velmora::studio {
namespace {

// The host's and the tools' words for what went wrong, and ours.
constexpr std::array<std::pair<const char*, const char*>, 9> kReasons{{
    {"not a zip archive", "文件已损坏"},
    {"damaged", "文件已损坏"},
    {"not a presentation", "不是演示文稿"},
    {"no such file", "文件不存在"},
    {"No such file", "文件不存在"},
    {"not a file", "不是文件"},
    {"Permission denied", "没有访问权限"},
    {"No space left", "磁盘空间不足"},
    {"needs an X11 session", "需要 X11 桌面会话，当前没有可用的 X11 显示"},
}};

// The host's message without the names it put before the reason.
std::string Reason(const std::string& hostMessage)
{
    const std::size_t colon = hostMessage.rfind(": ");
    return colon == std::string::npos ? hostMessage : hostMessage.substr(colon + 2);
}

QString ReasonInChinese(const std::string& hostMessage, const char* otherwise)
{
    for (const auto& [words, chinese] : kReasons) {
        if (hostMessage.find(words) != std::string::npos) {
            return chinese;
        }
    }
    return QString(otherwise) + "（" + QString::fromStdString(Reason(hostMessage)) + "）";
}

QString Named(const std::filesystem::path& file)
{
    return QString::fromStdString(file.string());
}

}  // namespace

QString CannotOpen(const std::filesystem::path& file, const std::string& hostMessage)
{
    return "无法打开文件：" + Named(file) + "：" + ReasonInChinese(hostMessage, "无法读取");
}

QString CannotSave(const std::filesystem::path& file, const std::string& hostMessage)
{
    return "无法保存文件：" + Named(file) + "：" + ReasonInChinese(hostMessage, "无法写入");
}

QString Unfinished(const QString& what, const std::string& hostMessage)
{
    return what + "未能完成：" + ReasonInChinese(hostMessage, "发生错误");
}

}  // namespace velmora::studio
