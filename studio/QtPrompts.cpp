#include "studio/QtPrompts.hpp"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "studio/QtPictures.hpp"

namespace velmora::studio {
namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QMessageBox::Icon IconOf(int style)
{
    switch (style & 0xF0) {
        case host::MsgStyle::Critical:
            return QMessageBox::Critical;
        case host::MsgStyle::Exclamation:
            return QMessageBox::Warning;
        case host::MsgStyle::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

QString QtFilter(const host::FileFilter& filter)
{
    QString patterns = Text(filter.extensions);
    patterns.replace(';', ' ');
    return Text(filter.description) + " (" + patterns.simplified() + ")";
}

int QtPrompts::MsgBox(const std::string& prompt, int style, const std::string& title)
{
    QString text = Text(prompt);
    // The tools break lines with a carriage return.
    text.replace("\r\n", "\n").replace('\r', '\n');
    QMessageBox box(IconOf(style), Text(title), text, QMessageBox::NoButton, parent_);
    box.setObjectName("MsgBox");
    if ((style & 0x0F) == host::MsgStyle::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.button(QMessageBox::Yes)->setObjectName("yes");
        box.button(QMessageBox::No)->setObjectName("no");
        return box.exec() == QMessageBox::Yes ? host::MsgAnswer::Yes : host::MsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setObjectName("ok");
    box.exec();
    return host::MsgAnswer::Ok;
}

std::string QtPrompts::InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText)
{
    bool confirmed = false;
    const QString text =
        QInputDialog::getText(parent_, Text(title), Text(prompt), QLineEdit::Normal, Text(defaultText), &confirmed);
    return confirmed ? text.toStdString() : std::string();
}

std::optional<std::string> QtPrompts::PickFile(const std::string& title, const std::vector<host::FileFilter>& filters)
{
    QStringList names;
    for (const host::FileFilter& filter : filters) {
        names << QtFilter(filter);
    }
    const QString file = QFileDialog::getOpenFileName(parent_, Text(title), QString(), names.join(";;"));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return file.toStdString();
}

std::optional<host::Color> QtPrompts::ChooseColor(host::Color initial, std::array<host::Color, 16>& customColors)
{
    for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i) {
        QColorDialog::setCustomColor(i, QColorOf(customColors[static_cast<std::size_t>(i)]));
    }
    const QColor chosen = QColorDialog::getColor(QColorOf(initial), parent_);
    for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i) {
        customColors[static_cast<std::size_t>(i)] = ColorOf(QColorDialog::customColor(i));
    }
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return ColorOf(chosen);
}

}  // namespace velmora::studio
