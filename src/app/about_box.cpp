#include "app/about_box.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "core/marker.h"
#include "kravelo_version.h"

namespace kravelo {

namespace {

// The program's logo: its name in white on the video panel's black.
QPixmap Logo() {
    QPixmap logo(260, 64);
    logo.fill(Qt::black);
    QPainter p(&logo);
    QFont font(QStringLiteral("DejaVu Sans"), 30, QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("Kravelo"));
    return logo;
}

}  // namespace

LinkLabel::LinkLabel(const QString& text, QUrl url, QWidget* parent) : QLabel(text, parent), url_(std::move(url)) {
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked(url_);
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    SetHovered(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    SetHovered(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::SetHovered(bool hovered) {
    hovered_ = hovered;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, hovered ? QColor(0, 0, 255) : QColor(0, 0, 0));
    setPalette(p);
    QFont f = font();
    f.setUnderline(hovered);
    setFont(f);
}

TFormInformacje::TFormInformacje(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormInformacje"));
    setWindowTitle(QStringLiteral("Informacje o programie"));
    openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    ImageLogo = new QLabel(this);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setPixmap(Logo());
    ImageLogo->setAlignment(Qt::AlignCenter);
    LabelVersion = new QLabel(QStringLiteral("build ") + QString::number(kBuildNumber), this);
    LabelVersion->setObjectName(QStringLiteral("LabelVersion"));
    LabelDate = new QLabel(QStringLiteral("2000-07-14  -  ") + QString::fromUtf8(kBuildDate), this);
    LabelDate->setObjectName(QStringLiteral("LabelDate"));
    const QString web = QString::fromUtf8(kMarkerWebAddress.data(), static_cast<qsizetype>(kMarkerWebAddress.size()));
    LabelWWW = new LinkLabel(web, QUrl(web), this);
    LabelWWW->setObjectName(QStringLiteral("LabelWWW"));
    LabelEmail = new LinkLabel(QStringLiteral("kravelo@kravelo.org"), QUrl(QStringLiteral("mailto:kravelo@kravelo.org")),
                               this);
    LabelEmail->setObjectName(QStringLiteral("LabelEmail"));
    Button1 = MakeOkButton();
    for (LinkLabel* link : {LabelWWW, LabelEmail})
        connect(link, &LinkLabel::clicked, this, [this](const QUrl& url) {
            if (openUrl) openUrl(url);
        });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ImageLogo);
    for (QLabel* l : std::initializer_list<QLabel*>{LabelVersion, LabelDate, LabelWWW, LabelEmail}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kravelo
