// The pop-up window's answers to the pointer: the close button, a click on the content,
// a drag, and the window's own close.
#include "frmPopUpMessage.h"

#include "PopUpFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

void frmPopUpMessage::closeEvent(QCloseEvent* event)
{
    Unload();
    event->accept();
}

void frmPopUpMessage::mousePressEvent(QMouseEvent* event)
{
    // Only presses outside the content holder reach the window itself; one on the shadow
    // belongs to whatever the shadow falls on.
    if (!frame()->card().contains(event->position().toPoint())) {
        event->ignore();
        return;
    }
    event->accept();
    Unload();
}

bool frmPopUpMessage::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    if (m_following) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseMove)
            followPointer(mouse->globalPosition().toPoint());
        else if (event->type() == QEvent::MouseButtonRelease)
            m_following = false;
        return true;
    }
    if (watched == m_imgClose)
        return handleCloseButton(event);
    if (m_clickable || watched == m_picHolder || watched == m_imgBackground || watched == m_lblMessage)
        return handleContent(static_cast<QWidget*>(watched), event);
    // On a window that is not clickable the caption, logo and progress bar swallow the
    // pointer: clicking them does nothing.
    return true;
}

bool frmPopUpMessage::handleCloseButton(QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        m_closeHeld = true;
        m_imgClose->setPixmap(m_imgDown->pixmap());
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_closeHeld = false;
        m_imgClose->setPixmap(m_imgUp->pixmap());
        if (mouse->button() == Qt::LeftButton && m_imgClose->rect().contains(mouse->position().toPoint()))
            Unload();
    }
    return true;
}

bool frmPopUpMessage::handleContent(QWidget* control, QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressedOn = mouse->button() == Qt::LeftButton ? control : nullptr;
        m_pressAt = global;
        break;
    case QEvent::MouseMove:
        // A jitter while clicking is not a drag.
        if (mouse->buttons() == Qt::LeftButton
            && (global - m_pressAt).manhattanLength() >= QApplication::startDragDistance())
            StartDrag(global);
        break;
    case QEvent::MouseButtonRelease: {
        const bool clicked = mouse->button() == Qt::LeftButton && m_pressedOn == control
            && control->rect().contains(mouse->position().toPoint());
        m_pressedOn = nullptr;
        if (clicked && (m_clickable || control == m_lblMessage))
            emit Click();
        else if (clicked)
            emit CloseGraceFully();
        break;
    }
    default:
        break;
    }
    return true;
}

void frmPopUpMessage::StartDrag(const QPoint& globalPos)
{
    m_disconnected = true;
    m_pressedOn = nullptr;
    QWindow* handle = windowHandle();
    // A window manager does not move a window it was told to leave alone.
    const bool managed = !windowFlags().testFlag(Qt::BypassWindowManagerHint);
    if (isWindow() && managed && handle && handle->startSystemMove())
        return;
    m_following = true;
    m_grabOffset = globalPos - mapToGlobal(QPoint(0, 0));
}

void frmPopUpMessage::followPointer(const QPoint& globalPos)
{
    const QPoint topLeft = globalPos - m_grabOffset;
    move(isWindow() || !parentWidget() ? topLeft : parentWidget()->mapFromGlobal(topLeft));
}
