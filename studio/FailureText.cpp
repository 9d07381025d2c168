#include "studio/FailureText.hpp"

#include "addin/FailureReason.hpp"

namespace velmora::studio {
namespace {

// The host's message without the names it put before the reason.
std::string Reason(const std::string& hostMessage)
{
    const std::size_t colon = hostMessage.rfind(": ");
    return colon == std::string::npos ? hostMessage : hostMessage.substr(colon + 2);
}

QString ReasonInChinese(const std::string& hostMessage, const char* otherwise)
{
    if (const auto reason = addin::ReasonInChinese(hostMessage)) {
        return QString::fromStdString(*reason);
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
