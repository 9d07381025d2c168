#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "host/MsoConstants.hpp"

namespace velmora::host {

inline constexpr const char* kTitle = "VelmoraV2.0 by Orvaldi";
inline constexpr const char* kNotSavedMessage = "此演示文档还未曾保存过，请先进行保存再继续操作";
inline constexpr const char* kNoSlidesMessage = "此文档中没有包含任何幻灯片！";
inline constexpr const char* kNoSelectionMessage = "没有选定任何幻灯片！";

namespace MsgStyle {
inline constexpr int OkOnly = 0;
inline constexpr int Critical = 16;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int YesNo = 4;
}  // namespace MsgStyle

namespace MsgAnswer {
inline constexpr int Ok = 1;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace MsgAnswer

struct FileFilter {
    std::string description;
    std::string extensions;  // "*.swf" or "*.jpg;*.png"
};

// The user's side of every tool: message boxes, questions, text input, the
// file picker and the colour chooser.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual int MsgBox(const std::string& prompt, int style, const std::string& title = kTitle) = 0;
    // A question the user did not ask for (the start-up routine's). Prompts
    // that answer on their own take `unattended`, the answer that leaves the
    // settings as they are; prompts that ask the user show a plain MsgBox.
    virtual int UnaskedQuestion(const std::string& prompt, int style, const std::string& title, int unattended)
    {
        static_cast<void>(unattended);
        return MsgBox(prompt, style, title);
    }
    // Cancel and an empty entry both give "".
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    virtual std::optional<std::string> PickFile(const std::string& title, const std::vector<FileFilter>& filters) = 0;
    // customColors is the chooser's row of 16 custom colours, kept by the caller.
    virtual std::optional<Color> ChooseColor(Color initial, std::array<Color, 16>& customColors) = 0;
};

}  // namespace velmora::host
