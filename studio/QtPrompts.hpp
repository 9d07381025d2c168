#pragma once

#include <functional>

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "host/Prompts.hpp"

namespace velmora::studio {

// The prompts as desktop dialogs: Qt's message box with the style's buttons
// and icon, an input box, the file dialog with the tool's filters and the
// colour dialog, whose sixteen custom colours are handed in and kept.
class QtPrompts : public host::Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    // Runs before each prompt shows: the studio first takes down the dialogs
    // their tools hid, so that a hidden dialog is not seen behind its message.
    void SetBeforeShowing(std::function<void()> beforeShowing) { beforeShowing_ = std::move(beforeShowing); }

    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    std::optional<std::string> PickFile(const std::string& title, const std::vector<host::FileFilter>& filters) override;
    std::optional<host::Color> ChooseColor(host::Color initial, std::array<host::Color, 16>& customColors) override;

private:
    void BeforeShowing() const;

    QPointer<QWidget> parent_;
    std::function<void()> beforeShowing_;
};

// "Pictures (*.jpg *.JPG *.png *.PNG)" from a tool's filter "Pictures" with
// "*.jpg;*.png" or "*.JPG,*.PNG".
QString QtFilter(const host::FileFilter& filter);
// The file dialog's name filters: the tool's, then all files.
QStringList QtFilters(const std::vector<host::FileFilter>& filters);

}  // namespace velmora::studio
