#include "app/form_sub_not_sorted.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "ui/prompts.h"

namespace kravelo {

TFormSubNotSorted::TFormSubNotSorted(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormSubNotSorted"));

    ImageWarning = new QLabel(this);
    ImageWarning->setObjectName(QStringLiteral("ImageWarning"));
    ImageWarning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    ImageWarning->setGeometry(12, 12, 32, 32);

    LabelMessage = new QLabel(this);
    LabelMessage->setObjectName(QStringLiteral("LabelMessage"));
    LabelMessage->setTextFormat(Qt::PlainText);
    LabelMessage->setWordWrap(true);
    LabelMessage->move(56, 14);

    LabelCount = new QLabel(QStringLiteral("0"), this);
    LabelCount->setObjectName(QStringLiteral("LabelCount"));
    LabelCount->setAlignment(Qt::AlignCenter);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);

    Button1 = MakeOkButton();
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFormSubNotSorted::Timer1Timer);
}

void TFormSubNotSorted::Notify() {
    setWindowTitle(prompts_.Caption(MessageIcon::Warning));
    LabelMessage->setText(prompts_.Text("Form1", "SubtitlesNotSorted"));
    prompts_.ExecDialog(*this);
}

void TFormSubNotSorted::showEvent(QShowEvent* event) {
    // Lay the notice out around its text: the client width is the text's right edge plus 18
    // pixels, the bevel is centred under the text and holds the OK button one pixel inside it.
    LabelMessage->setFixedWidth(std::min(LabelMessage->sizeHint().width(), 420));
    LabelMessage->adjustSize();
    const int width = LabelMessage->x() + LabelMessage->width() + 18;
    const int textBottom = std::max(LabelMessage->geometry().bottom(), ImageWarning->geometry().bottom());

    LabelCount->setText(QStringLiteral("5"));
    LabelCount->adjustSize();
    LabelCount->move((width - LabelCount->width()) / 2, textBottom + 8);

    const QSize button = Button1->sizeHint();
    const int bevelWidth = button.width() + 2;
    const int bevelTop = LabelCount->geometry().bottom() + 6;
    Bevel1->setGeometry((width - bevelWidth) / 2, bevelTop, bevelWidth, button.height() + 2);
    Button1->setGeometry(Bevel1->x() + 1, bevelTop + 1, button.width(), button.height());
    setFixedSize(width, Bevel1->geometry().bottom() + 12);

    CountedDialog::showEvent(event);  // counts the dialog and centres it on the screen
    Timer1->start();
}

void TFormSubNotSorted::Timer1Timer() {
    bool number = false;
    int count = LabelCount->text().toInt(&number);
    if (!number) count = 5;
    LabelCount->setText(QString::number(count - 1));
    if (count - 1 <= 0) accept();
}

void TFormSubNotSorted::done(int result) {
    Timer1->stop();
    CountedDialog::done(result);
}

}  // namespace kravelo
