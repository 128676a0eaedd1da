// The fix-ups LoadLanguage runs once the texts are in place. Each one finds its
// forms and controls by object name and is skipped while they do not exist, so a form that is
// built later takes part as soon as it is registered with the Language under its section name
// and its controls carry the names used here:
//   Form1:            QLabel "LabelFileName", QToolButton "SpeedButtonShowSubTit", the menu
//                     actions of kMenuCopies
//   FormControlPanel: the pop-up menu actions of kPanelCopies
//   FormUstawienia:   QListWidget "ListBox1" (the page list), QLabel "LabelLen"
//   FormOpenText:     "ListViewFiles" (any item view with two columns)
//   FormStatistics:   "Label15";  FormPytanie05SkokDo and FormChapterSet: "SpeedButton1",
//                     "Label12", "Label13", "Label14"

#include <QAbstractItemView>
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>

#include "app/language.h"

namespace kravelo {
namespace {

struct Copy {
    const char* from;
    const char* to;
};

// Main-menu captions copied to their duplicates in the main window ...
constexpr Copy kMenuCopies[] = {
    {"Nowy1", "Nowy2"},
    {"Open1", "Otwrzplikznapisami1"},
    {"ZnajdzTekst1", "Znajdtekst1"},
    {"Znajdszybkinapis1", "Znajdkrtkowywietlanynapis1"},
    {"Znajdd1", "Znajdprzerwwwywnapisw1"},
    {"Znajdznastepny1", "Znajdnastpny1"},
    {"Znajdramk1", "Przejddoklatki1"},
    {"Kopiuj1", "Kopiuj2"},
    {"Wklej1", "Wklej2"},
    {"Wytnij1", "Wytnij2"},
    {"Otwrzplikwideo1", "Otwzplikwideo1"},
    {"PauzaOdtwarzaj1", "Pau1"},
    {"Skokdowybranejklatkifilmu1", "Skoczdoklatki1"},
    {"Wlasciwosciplikuwideo1", "Waciwociplikuwideo1"},
    {"Trybpe1", "Trybpelonoera1"},
};
// ... and to the full-screen control panel's menu.
constexpr Copy kPanelCopies[] = {
    {"Skokdowybranejklatkifilmu1", "Skoczdo1"},
    {"Rozdzialy1", "Rozdzialy1"},
    {"Wlasciwosciplikuwideo1", "Waciwoci1"},
    {"Przezroczystenapisy1", "Przezroczystenapisy1"},
    {"Exit1", "Zamknij1"},
    {"Informacjeoprogramie1", "Oprogramie1"},
};

// A menu item by name: a QAction, or a submenu named on its QMenu.
QAction* FindItem(QWidget* form, const char* name) {
    if (!form) return nullptr;
    if (auto* a = form->findChild<QAction*>(QLatin1String(name))) return a;
    if (auto* m = form->findChild<QMenu*>(QLatin1String(name))) return m->menuAction();
    return nullptr;
}

QObject* FindCaptioned(QWidget* form, const char* name) {
    if (!form) return nullptr;
    for (QWidget* w : form->findChildren<QWidget*>(QLatin1String(name)))
        if (IsCaptioned(w)) return w;
    return nullptr;
}

void CopyCaption(QWidget* fromForm, QWidget* toForm, const char* from, const char* to) {
    QObject* src = FindCaptioned(fromForm, from);
    QObject* dst = FindCaptioned(toForm, to);
    if (src && dst) SetCaption(dst, CaptionOf(src));
}

}  // namespace

void ApplyLanguageFixUps(Language& lang, const ProfileFile& file) {
    QWidget* form1 = lang.Form("Form1");

    // 1. A file-name label that names no existing file shows the default caption.
    if (form1) {
        if (auto* label = form1->findChild<QLabel*>(QStringLiteral("LabelFileName"))) {
            if (!QFileInfo(label->text()).isFile())
                label->setText(QString::fromStdString(lang.Text("Form1", "LabelDefaultFileName_Cpt")));
        }
    }

    // 2. The base hint of the show-subtitles button, as the file gives it (else as the button has it).
    if (auto hint = file.Find("Form1", "SpeedButtonShowSubTit_Hnt"); hint && !hint->empty()) {
        lang.showSubtitlesHint_ = *hint;
    } else if (form1) {
        if (auto* b = form1->findChild<QWidget*>(QStringLiteral("SpeedButtonShowSubTit")))
            lang.showSubtitlesHint_ = b->toolTip().toStdString();
    }

    // 3. Captions of duplicate menu items.
    for (const Copy& c : kMenuCopies) {
        QAction* src = FindItem(form1, c.from);
        QAction* dst = FindItem(form1, c.to);
        if (src && dst && src != dst) dst->setText(src->text());
    }
    QWidget* panel = lang.Form("FormControlPanel");
    for (const Copy& c : kPanelCopies) {
        QAction* src = FindItem(form1, c.from);
        QAction* dst = FindItem(panel, c.to);
        if (src && dst && src != dst) dst->setText(src->text());
    }

    // 4. The options dialog's page list and the subtitle chooser's column titles.
    lang.optionsPages_.clear();
    for (const MessageKey& k : kOptionsPageKeys)
        lang.optionsPages_.push_back(file.ReadString(k.section, k.key, ""));
    lang.chooserColumns_.clear();
    for (const MessageKey& k : kChooserColumnKeys)
        lang.chooserColumns_.push_back(file.ReadString(k.section, k.key, ""));
    if (QWidget* options = lang.Form("FormUstawienia")) {
        if (auto* list = options->findChild<QListWidget*>(QStringLiteral("ListBox1"))) {
            int row = list->currentRow();
            list->clear();
            for (const std::string& page : lang.optionsPages_) list->addItem(QString::fromStdString(page));
            if (row >= 0 && row < list->count()) list->setCurrentRow(row);
        }
    }
    if (QWidget* chooser = lang.Form("FormOpenText")) {
        if (auto* view = chooser->findChild<QAbstractItemView*>(QStringLiteral("ListViewFiles"))) {
            if (QAbstractItemModel* model = view->model()) {
                for (int col = 0; col < 2 && col < model->columnCount(); ++col)
                    model->setHeaderData(col, Qt::Horizontal,
                                         QString::fromStdString(lang.chooserColumns_[col]));
            }
        }
    }

    // 5. Label texts shared between forms.
    CopyCaption(lang.Form("FormStatistics"), lang.Form("FormUstawienia"), "Label15", "LabelLen");
    QWidget* jump = lang.Form("FormPytanie05SkokDo");
    QWidget* chapterSet = lang.Form("FormChapterSet");
    for (const char* name : {"SpeedButton1", "Label12", "Label13", "Label14"})
        CopyCaption(jump, chapterSet, name, name);
}

}  // namespace kravelo
