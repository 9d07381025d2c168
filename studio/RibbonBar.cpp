#include "studio/RibbonBar.hpp"

#include <set>

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

#include "addin/RibbonDefinition.hpp"
#include "studio/QtPictures.hpp"

namespace velmora::studio {
namespace {

constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString TipOf(const RibbonNode& node)
{
    QString tip = Text(ShownLabel(node.screentip.empty() ? node.label : node.screentip));
    if (!node.supertip.empty()) {
        tip += "\n" + Text(node.supertip);
    }
    return tip;
}

// A large button's label on two lines, as the host's ribbon draws it, so
// that the groups stay narrow enough for a small or much scaled screen:
// split where Chinese meets Latin ("插入" over "Flash"), else in the middle.
QString LargeLabel(const std::string& label)
{
    constexpr qsizetype kOneLine = 3;
    QString text = Text(ShownLabel(label));
    if (text.size() <= kOneLine) {
        return text;
    }
    qsizetype split = text.size() / 2;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if ((text[i - 1].unicode() < 0x80) != (text[i].unicode() < 0x80)) {
            split = i;
            break;
        }
    }
    return text.left(split) + "\n" + text.mid(split);
}

}  // namespace

QIcon StandInIcon(const std::string& imageMso)
{
    const std::size_t hash = std::hash<std::string>{}(imageMso);
    QPixmap tile(kLargeIcon, kLargeIcon);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor::fromHsv(static_cast<int>(hash % 360), 140, 200));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(2, 2, kLargeIcon - 4, kLargeIcon - 4, 6, 6);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(16);
    painter.setFont(font);
    painter.drawText(tile.rect(), Qt::AlignCenter, imageMso.empty() ? QString() : Text(imageMso.substr(0, 1)));
    painter.end();
    return QIcon(tile);
}

RibbonBar::RibbonBar(const addin::Connect& connect, PressHandler onPress, QWidget* parent)
    : QTabWidget(parent), connect_(connect), onPress_(std::move(onPress))
{
    setObjectName("ribbon");
    for (const RibbonTab& tab : ParseRibbon(connect_.IRibbonExtensibility_GetCustomUI("Microsoft.PowerPoint.Presentation"))) {
        auto* page = new QWidget(this);
        page->setObjectName(Text(tab.id));
        auto* row = new QHBoxLayout(page);
        row->setContentsMargins(4, 2, 4, 2);
        row->setSpacing(2);
        for (const RibbonNode& group : tab.groups) {
            row->addWidget(Group(group));
        }
        row->addStretch(1);
        addTab(page, Text(tab.label));
    }
}

QToolButton* RibbonBar::Button(const QString& id) const
{
    return findChild<QToolButton*>(id);
}

QWidget* RibbonBar::Group(const RibbonNode& group)
{
    auto* frame = new QFrame(this);
    frame->setObjectName(Text(group.id));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(2, 2, 2, 2);
    auto* buttons = new QHBoxLayout;
    auto* smallColumn = static_cast<QVBoxLayout*>(nullptr);
    for (const RibbonNode& node : group.children) {
        QToolButton* button = FaceButton(node, frame);
        if (node.Large() || node.kind == "splitButton") {
            buttons->addWidget(button);
            smallColumn = nullptr;
            continue;
        }
        // Normal-size controls stack three to a column, as on the host's ribbon.
        if (smallColumn == nullptr || smallColumn->count() == 3) {
            smallColumn = new QVBoxLayout;
            buttons->addLayout(smallColumn);
        }
        smallColumn->addWidget(button);
    }
    if (smallColumn != nullptr) {
        smallColumn->addStretch(1);
    }
    column->addLayout(buttons);
    auto* label = new QLabel(Text(group.label), frame);
    label->setAlignment(Qt::AlignCenter);
    column->addWidget(label);
    return frame;
}

QToolButton* RibbonBar::FaceButton(const RibbonNode& node, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(Text(node.id));
    button->setAutoRaise(true);
    const bool large = node.Large() || node.kind == "splitButton";
    button->setIconSize(QSize(large ? kLargeIcon : kSmallIcon, large ? kLargeIcon : kSmallIcon));
    button->setToolButtonStyle(large ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextBesideIcon);
    if (node.kind == "button") {
        QAction* command = Command(node, button);
        if (large) {
            command->setIconText(LargeLabel(node.label));
        }
        button->setDefaultAction(command);
        return button;
    }
    auto* menu = new QMenu(button);
    menu->setObjectName(Text(node.id) + "/menu");
    if (node.kind == "splitButton" && !node.children.empty()) {
        // The upper half is the split button's own button; the lower half opens its menu.
        const RibbonNode& face = node.children.front();
        button->setDefaultAction(Command(face, button));
        for (std::size_t i = 1; i < node.children.size(); ++i) {
            FillMenu(*menu, node.children[i]);
        }
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        return button;
    }
    button->setText(large ? LargeLabel(node.label) : Text(ShownLabel(node.label)));
    button->setToolTip(TipOf(node));
    button->setIcon(Picture(node));
    if (!node.getItemCount.empty()) {
        AddGalleryItems(*menu, node);
    }
    FillMenu(*menu, node);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    return button;
}

void RibbonBar::SetPresentationOpen(bool open)
{
    static const std::set<std::string> kWebCommands = [] {
        std::set<std::string> web;
        for (const addin::RibbonCommand& command : addin::RibbonCommands()) {
            if (command.group == "资源" || command.group == "帮助") {
                web.insert(command.onAction);
            }
        }
        return web;
    }();
    for (QAction* action : commands_) {
        if (!kWebCommands.contains(action->data().toString().toStdString())) {
            action->setEnabled(open);
        }
    }
}

QAction* RibbonBar::Command(const RibbonNode& node, QObject* parent)
{
    auto* action = new QAction(Picture(node), Text(ShownLabel(node.label)), parent);
    action->setObjectName(Text(node.id));
    action->setToolTip(TipOf(node));
    action->setData(Text(node.onAction));
    if (!node.onAction.empty()) {
        commands_.push_back(action);
        connect(action, &QAction::triggered, this,
                [this, id = node.id, onAction = node.onAction] { onPress_(onAction, {{id}, {}, 0}); });
    }
    return action;
}

void RibbonBar::FillMenu(QMenu& menu, const RibbonNode& node)
{
    for (const RibbonNode& child : node.children) {
        if (child.kind == "menuSeparator") {
            menu.addSection(Text(child.title))->setObjectName(Text(child.id));
        } else if (child.kind == "menu") {
            QMenu* sub = menu.addMenu(Text(ShownLabel(child.label)));
            sub->setObjectName(Text(child.id));
            FillMenu(*sub, child);
        } else {
            menu.addAction(Command(child, &menu));
        }
    }
}

// The gallery's items as a grid of pictures with labels; the item's long
// title is its tip. A click presses the gallery with that item.
void RibbonBar::AddGalleryItems(QMenu& menu, const RibbonNode& gallery)
{
    const addin::RibbonControl control{gallery.id};
    const int count = connect_.GetItemCount(control);
    auto* grid = new QWidget(&menu);
    auto* layout = new QGridLayout(grid);
    const int columns = gallery.columns > 0 ? gallery.columns : 3;
    for (std::int16_t index = 0; index < count; ++index) {
        const std::string itemId = connect_.GetItemID(control, index);
        auto* action = new QAction(Text(connect_.GetItemLabel(control, index)), grid);
        action->setObjectName(Text(gallery.id + "/" + itemId));
        action->setToolTip(Text(connect_.GetItemSupertip(control, index)));
        action->setData(Text(gallery.onAction));
        if (auto picture = connect_.GetItemImage(control, index)) {
            action->setIcon(QIcon(PixmapOf(*picture)));
        }
        connect(action, &QAction::triggered, this, [this, &menu, id = gallery.id, onAction = gallery.onAction,
                                                   itemId, index] {
            menu.close();
            onPress_(onAction, {{id}, itemId, index});
        });
        commands_.push_back(action);
        auto* item = new QToolButton(grid);
        item->setObjectName(action->objectName());
        item->setDefaultAction(action);
        item->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        item->setIconSize(QSize(75, 90));
        item->setAutoRaise(true);
        layout->addWidget(item, index / columns, index % columns);
    }
    auto* holder = new QWidgetAction(&menu);
    holder->setDefaultWidget(grid);
    menu.addAction(holder);
    menu.addSeparator();
}

QIcon RibbonBar::Picture(const RibbonNode& node) const
{
    if (!node.getImage.empty()) {
        if (auto picture = connect_.GetImage(addin::RibbonControl{node.id})) {
            return QIcon(PixmapOf(*picture));
        }
        return {};
    }
    return node.imageMso.empty() ? QIcon() : StandInIcon(node.imageMso);
}

}  // namespace velmora::studio
