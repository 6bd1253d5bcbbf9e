// The artwork window's mouse, keyboard and menu handlers.
#include "frmShowPic.h"

#include "PicturePrinter.h"
#include "platform/desktop/Desktop.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

bool frmShowPic::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Picture1)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        Picture1_MouseDown(mouse->button(), mouse->position(), mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        Picture1_MouseMove(mouse->buttons(), mouse->position());
        return true;
    }
    case QEvent::MouseButtonDblClick:
        Picture1_DblClick();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmShowPic::Picture1_MouseDown(Qt::MouseButton Button, const QPointF& position, const QPoint& globalPosition)
{
    if (Button == Qt::RightButton) {
        umn[OnTop]->setChecked(m_onTop);
        umn[Locked]->setChecked(m_locked);
        mnpopup->popup(globalPosition);
        return;
    }
    if (!m_locked)
        m_grabPoint = toTwips(position);
}

void frmShowPic::Picture1_MouseMove(Qt::MouseButtons Buttons, const QPointF& position)
{
    if (m_locked || Buttons != Qt::LeftButton)
        return;
    // Positions are the picture's own, so whether the window moves or the picture pans, the
    // grabbed point stays under the cursor and the grab point stays valid.
    const QPointF delta = toTwips(position) - m_grabPoint;
    m_placement = ShowPicGeometry::dragBy(
        m_placement, qRound(delta.x()), qRound(delta.y()), m_oversize & kOversizeWidth, m_oversize & kOversizeHeight);
    applyGeometry();
}

void frmShowPic::Picture1_DblClick()
{
    if (!m_locked)
        Unload();
}

void frmShowPic::keyPressEvent(QKeyEvent* event)
{
    // X11 repeats a held key as release and press pairs sharing one time stamp. Qt marks the
    // pair as a repeat only when the press is already queued with the release, which a busy
    // program misses; the press then undoes the release it came with.
    const bool repeatOfLastRelease = m_lastRelease && event->timestamp() != 0 && m_lastRelease->key == event->key()
        && m_lastRelease->timestamp == event->timestamp();
    if (repeatOfLastRelease) {
        m_acceleration = m_lastRelease->acceleration;
        m_controlHeld = m_lastRelease->controlHeld;
    }
    m_lastRelease.reset();
    Form_KeyDown(event->key());
}

void frmShowPic::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats its press only; it is released once, when the user lets it go.
    if (event->isAutoRepeat())
        return;
    m_lastRelease = KeyRelease { event->key(), event->timestamp(), m_acceleration, m_controlHeld };
    Form_KeyUp(event->key());
}

void frmShowPic::focusOutEvent(QFocusEvent* event)
{
    // The Ctrl release of a key pressed here can go to another window.
    m_controlHeld = false;
    m_acceleration.keyUp();
    m_lastRelease.reset();
    QWidget::focusOutEvent(event);
}

void frmShowPic::Form_KeyDown(int KeyCode)
{
    if (KeyCode == Qt::Key_Control)
        m_controlHeld = true;
    if (!m_controlHeld)
        return;
    const bool isMove
        = KeyCode == Qt::Key_Left || KeyCode == Qt::Key_Right || KeyCode == Qt::Key_Up || KeyCode == Qt::Key_Down;
    if (m_locked && isMove)
        return;

    const int speed = m_acceleration.keyDown();
    switch (KeyCode) {
    case Qt::Key_L:
        if (!m_locked)
            setLocked(true);
        break;
    case Qt::Key_U:
        if (m_locked)
            setLocked(false);
        break;
    case Qt::Key_T:
        setOnTop(true);
        break;
    case Qt::Key_N:
        setOnTop(false);
        break;
    case Qt::Key_Left:
        moveBy(-m_pixelStepX * speed, 0);
        break;
    case Qt::Key_Right:
        moveBy(m_pixelStepX * speed, 0);
        break;
    case Qt::Key_Up:
        moveBy(0, -m_pixelStepY * speed);
        break;
    case Qt::Key_Down:
        moveBy(0, m_pixelStepY * speed);
        break;
    default:
        break;
    }
}

void frmShowPic::Form_KeyUp(int KeyCode)
{
    if (KeyCode == Qt::Key_Control)
        m_controlHeld = false;
    m_acceleration.keyUp();
}

void frmShowPic::umn_Click(int Index)
{
    switch (Index) {
    case OnTop:
        // The entry toggled its own check mark before this runs.
        setOnTop(umn[OnTop]->isChecked());
        break;
    case Locked:
        setLocked(umn[Locked]->isChecked());
        break;
    case Copy:
        if (!m_picture.isNull())
            QGuiApplication::clipboard()->setPixmap(m_picture);
        break;
    case Print:
        printPicture();
        break;
    case Close:
        hide();
        break;
    default:
        break;
    }
}

void frmShowPic::printPicture()
{
    if (m_picture.isNull())
        return;
    const QSize sizeTwips(m_placement.x.pictureSize, m_placement.y.pictureSize);
    switch (m_printer.print(m_picture, sizeTwips)) {
    case PicturePrinter::Result::Printed:
        break;
    case PicturePrinter::Result::NoPrinter:
        m_desktop.messageBox(QStringLiteral(
            "The picture cannot be printed because there is no default printer. Set up a printer and try again."));
        break;
    case PicturePrinter::Result::Failed:
        m_desktop.messageBox(QStringLiteral("The picture could not be printed: the printer did not accept it."));
        break;
    }
}
