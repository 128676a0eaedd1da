#include "player/media_player.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace kravelo {

bool MediaPlayer::ForwardInputEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            emit KeyDown(static_cast<QKeyEvent*>(event));
            return true;
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            emit MouseDown(e);
            if (e->button() == Qt::RightButton && popupMenu_)
                popupMenu_->popup(e->globalPosition().toPoint());
            return true;
        }
        case QEvent::MouseButtonRelease:
            emit MouseUp(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonDblClick:
            emit DblClick(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::FocusIn:
            emit Enter();
            return false;
        default:
            return false;
    }
}

}  // namespace kravelo
