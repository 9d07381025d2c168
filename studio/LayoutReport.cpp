#include "studio/LayoutReport.hpp"

#include <cstdlib>
#include <functional>
#include <sstream>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QWidget>

#include "platform/AtomicFile.hpp"
#include "studio/SlideList.hpp"
#include "studio/SlideView.hpp"

namespace velmora::studio {
namespace {

constexpr int kIntervalMs = 100;

void Line(std::ostringstream& out, const std::string& name, const QRect& rect)
{
    out << name << ' ' << rect.x() << ' ' << rect.y() << ' ' << rect.width() << ' ' << rect.height() << '\n';
}

QRect Global(const QWidget& widget, const QRect& rect)
{
    return QRect(widget.mapToGlobal(rect.topLeft()), rect.size());
}

template <typename MenuKind>
void MenuEntries(std::ostringstream& out, const MenuKind& menu);

// Named widgets under a window; a dialog's controls are prefixed with its name.
void Widgets(std::ostringstream& out, const QWidget& window, const std::string& prefix)
{
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->objectName().isEmpty() && child->isVisible() && !child->objectName().startsWith("qt_")) {
            Line(out, prefix + child->objectName().toStdString(), Global(*child, child->rect()));
        }
        if (const auto* bar = qobject_cast<const QMenuBar*>(child); bar && bar->isVisible()) {
            MenuEntries(out, *bar);
        }
    }
}

// Entries of an open menu or of the menu bar, by their actions' names.
template <typename MenuKind>
void MenuEntries(std::ostringstream& out, const MenuKind& menu)
{
    for (QAction* action : menu.actions()) {
        if (!action->objectName().isEmpty() && action->isVisible()) {
            Line(out, action->objectName().toStdString(), Global(menu, menu.actionGeometry(action)));
        }
    }
}

}  // namespace

LayoutReport::LayoutReport(const SlideList& slides, const SlideView& view) : slides_(slides), view_(view)
{
    QObject::connect(&timer_, &QTimer::timeout, [this] { Write(); });
}

void LayoutReport::Start()
{
    const char* file = std::getenv("VELMORA_STUDIO_LAYOUT");
    if (file == nullptr || *file == '\0') {
        return;
    }
    file_ = file;
    timer_.start(kIntervalMs);
}

std::string LayoutReport::Text() const
{
    std::ostringstream out;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) {
            continue;
        }
        if (const auto* menu = qobject_cast<const QMenu*>(window)) {
            MenuEntries(out, *menu);
            continue;
        }
        const std::string name = window->objectName().toStdString();
        if (!name.empty()) {
            Line(out, name, window->frameGeometry());
        }
        if (const auto* box = qobject_cast<const QMessageBox*>(window)) {
            // What the message says, on one line, for the test to read.
            Line(out, name + "/text " + box->text().simplified().toStdString(), window->frameGeometry());
        }
        const bool dialog = window->isWindow() && window != slides_.window();
        Widgets(out, *window, dialog && !name.empty() ? name + "/" : std::string());
    }
    for (int row = 0; row < slides_.count(); ++row) {
        const QRect rect = slides_.visualItemRect(slides_.item(row));
        if (slides_.viewport()->rect().intersects(rect)) {
            Line(out, "slide/" + std::to_string(row + 1), Global(*slides_.viewport(), rect));
        }
    }
    const std::function<void(const SlideView::Outline&, const std::string&)> shape =
        [&](const SlideView::Outline& outline, const std::string& prefix) {
            const std::string name = prefix + outline.name;
            Line(out, name, Global(view_, view_.WidgetRect(outline)));
            for (const SlideView::Outline& child : outline.children) {
                shape(child, name + "/");
            }
        };
    for (const SlideView::Outline& outline : view_.Outlines()) {
        shape(outline, "shape/");
    }
    return out.str();
}

void LayoutReport::Write()
{
    std::string text = Text();
    if (text == written_) {
        return;
    }
    try {
        platform::WriteFileAtomically(file_, text);
        written_ = std::move(text);
    } catch (const std::exception&) {
        // A report that cannot be written is retried at the next change.
    }
}

}  // namespace velmora::studio
