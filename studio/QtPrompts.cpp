#include "studio/QtPrompts.hpp"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

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

// The tools break lines with a carriage return.
QString WithLineBreaks(const std::string& text)
{
    return Text(text).replace("\r\n", "\n").replace('\r', '\n');
}

}  // namespace

QString QtFilter(const host::FileFilter& filter)
{
    // Names compare without regard to case, as the tools' own picker does:
    // each pattern is offered in both cases.
    QStringList patterns;
    for (const QString& pattern : Text(filter.extensions).split(QRegularExpression("[,;\\s]+"), Qt::SkipEmptyParts)) {
        for (const QString& spelling : {pattern.toLower(), pattern.toUpper()}) {
            if (!patterns.contains(spelling)) {
                patterns << spelling;
            }
        }
    }
    return Text(filter.description) + " (" + patterns.join(' ') + ")";
}

QStringList QtFilters(const std::vector<host::FileFilter>& filters)
{
    QStringList names;
    for (const host::FileFilter& filter : filters) {
        names << QtFilter(filter);
    }
    names << "所有文件 (*)";
    return names;
}

void QtPrompts::BeforeShowing() const
{
    if (beforeShowing_) {
        beforeShowing_();
    }
}

int QtPrompts::MsgBox(const std::string& prompt, int style, const std::string& title)
{
    BeforeShowing();
    QMessageBox box(IconOf(style), Text(title), WithLineBreaks(prompt), QMessageBox::NoButton, parent_);
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
    BeforeShowing();
    QInputDialog box(parent_);
    box.setObjectName("InputBox");
    box.setWindowTitle(Text(title));
    box.setLabelText(WithLineBreaks(prompt));
    box.setTextValue(Text(defaultText));
    return box.exec() == QDialog::Accepted ? box.textValue().toStdString() : std::string();
}

std::optional<std::string> QtPrompts::PickFile(const std::string& title, const std::vector<host::FileFilter>& filters)
{
    BeforeShowing();
    const QString file = QFileDialog::getOpenFileName(parent_, Text(title), QString(), QtFilters(filters).join(";;"));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return file.toStdString();
}

std::optional<host::Color> QtPrompts::ChooseColor(host::Color initial, std::array<host::Color, 16>& customColors)
{
    BeforeShowing();
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
