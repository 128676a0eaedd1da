#pragma once
// TFormInformacje, the about box: the logo, the version and date labels, OK and
// two link labels (the web address and the e-mail address) that turn blue and underlined under
// the mouse and open the desktop's handler when clicked.

#include <QUrl>
#include <functional>

#include "ops/dialogs/counted_dialog.h"

namespace kravelo {

// A link label of the about box.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& text, QUrl url, QWidget* parent = nullptr);
    const QUrl& Url() const { return url_; }
    bool Hovered() const { return hovered_; }

signals:
    void clicked(const QUrl& url);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void SetHovered(bool hovered);
    QUrl url_;
    bool hovered_ = false;
};

class TFormInformacje : public CountedDialog {
    Q_OBJECT
public:
    TFormInformacje(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // How a link is opened (QDesktopServices::openUrl unless a test replaces it).
    std::function<void(const QUrl&)> openUrl;

    QLabel* ImageLogo;
    QLabel* LabelVersion;
    QLabel* LabelDate;
    LinkLabel* LabelWWW;
    LinkLabel* LabelEmail;
    QPushButton* Button1;
};

}  // namespace kravelo
