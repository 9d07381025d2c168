#include "studio/FormWindow.hpp"

#include <QCloseEvent>
#include <QMouseEvent>

#include "forms/CommandButton.hpp"
#include "platform/AsciiCase.hpp"
#include "studio/QtFormDriver.hpp"
#include "studio/QtPictures.hpp"

namespace velmora::studio {
namespace {

int ButtonsOf(Qt::MouseButtons buttons)
{
    return ((buttons & Qt::LeftButton) ? forms::MouseButton::Left : 0) |
           ((buttons & Qt::RightButton) ? forms::MouseButton::Right : 0) |
           ((buttons & Qt::MiddleButton) ? forms::MouseButton::Middle : 0);
}

int ShiftOf(Qt::KeyboardModifiers modifiers)
{
    return ((modifiers & Qt::ShiftModifier) ? forms::ShiftState::Shift : 0) |
           ((modifiers & Qt::ControlModifier) ? forms::ShiftState::Ctrl : 0) |
           ((modifiers & Qt::AltModifier) ? forms::ShiftState::Alt : 0);
}

}  // namespace

FormWindow::FormWindow(forms::UserForm& form, QtFormDriver& driver, QWidget* parent)
    : QDialog(parent), form_(form), driver_(driver)
{
    setObjectName(QString::fromStdString(form_.Name()));
    // Every form has its close box, as in the runtime.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    for (forms::Control* control : form_.Controls()) {
        bindings_.push_back(Bind(*control, AreaFor(control->Parent()), *this));
    }
}

FormWindow::~FormWindow() = default;

QWidget* FormWindow::AreaFor(const forms::Container& container) const
{
    if (&container == static_cast<const forms::Container*>(&form_)) {
        return const_cast<FormWindow*>(this);
    }
    for (const auto& binding : bindings_) {
        if (QWidget* area = binding->ChildArea(container)) {
            return area;
        }
    }
    return const_cast<FormWindow*>(this);
}

void FormWindow::Sync()
{
    const QString caption = QString::fromStdString(form_.Caption());
    if (windowTitle() != caption) {
        setWindowTitle(caption);
    }
    const double scale = PixelsPerPoint();
    const QSize size(static_cast<int>(form_.Width() * scale), static_cast<int>(form_.Height() * scale));
    if (this->size() != size) {
        setFixedSize(size);
    }
    QPalette background = palette();
    if (background.color(QPalette::Window) != QColorOf(form_.BackColor())) {
        background.setColor(QPalette::Window, QColorOf(form_.BackColor()));
        setPalette(background);
    }
    for (const auto& binding : bindings_) {
        binding->Sync();
    }
}

QWidget* FormWindow::Widget(std::string_view control) const
{
    for (const auto& binding : bindings_) {
        if (platform::EqualIgnoringAsciiCase(binding->Control().Name(), control)) {
            return binding->Widget();
        }
    }
    return nullptr;
}

void FormWindow::Dispatch(const std::function<void()>& input)
{
    driver_.Dispatch(input);
}

double FormWindow::PixelsPerPoint() const
{
    return logicalDpiX() / 72.0;
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // The driver closes the window once the form is gone.
    event->ignore();
    Dispatch([this] { form_.Unload(); });
}

void FormWindow::reject()
{
    for (forms::Control* control : form_.Controls()) {
        if (auto* button = dynamic_cast<forms::CommandButton*>(control); button && button->Cancel()) {
            if (button->Operable()) {
                Dispatch([button] { button->PerformClick(); });
            }
            return;
        }
    }
    // A modeless form without a Cancel button closes as its close box closes it.
    if (!isModal()) {
        close();
    }
}

void FormWindow::RaiseMouse(QMouseEvent* event, void (forms::ControlEvents::*fire)(int, int, float, float) const,
                            int button)
{
    const QPointF at = event->position() / PixelsPerPoint();
    Dispatch([this, fire, button, shift = ShiftOf(event->modifiers()), at] {
        (form_.events.*fire)(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
    });
}

void FormWindow::mousePressEvent(QMouseEvent* event)
{
    RaiseMouse(event, &forms::ControlEvents::FireMouseDown, ButtonsOf(event->button()));
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event)
{
    RaiseMouse(event, &forms::ControlEvents::FireMouseUp, ButtonsOf(event->button()));
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Dispatch([this] { form_.events.FireClick(); });
    }
}

void FormWindow::mouseMoveEvent(QMouseEvent* event)
{
    RaiseMouse(event, &forms::ControlEvents::FireMouseMove, ButtonsOf(event->buttons()));
}

}  // namespace velmora::studio
