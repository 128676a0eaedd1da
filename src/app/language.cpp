#include "app/language.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QToolButton>
#include <QTranslator>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "ui/qt_text.h"

#ifndef KRAVELO_SHARE_DIR
#define KRAVELO_SHARE_DIR "/usr/local/share/kravelo"
#endif

namespace kravelo {
namespace {

namespace fs = std::filesystem;

// The StdButtons key of a standard button, or empty.
std::string_view StdButtonKey(const QObject* o) {
    if (!qobject_cast<const QPushButton*>(o)) return {};
    bool ok = false;
    int tag = o->property("Tag").toInt(&ok);
    if (!ok) return {};
    return tag == 1 ? "OK" : tag == 2 ? "Anuluj" : std::string_view{};
}

bool Nameless(const QString& name) {
    return name.isEmpty() || name.startsWith(QLatin1String("qt_"));
}

QString ItemName(const QAction* a) {
    if (!a->objectName().isEmpty()) return a->objectName();
    if (auto* m = a->menu<QMenu*>()) return m->objectName();
    return {};
}

// Every object of the form in creation order (children before their own children), leaving out
// widgets that are forms with their own section.
void Collect(QObject* parent, std::vector<QObject*>& out) {
    for (QObject* child : parent->children()) {
        if (child->isWidgetType() && IsLanguageForm(S(child->objectName()))) continue;
        out.push_back(child);
        Collect(child, out);
    }
}

class FormWalker {
public:
    FormWalker(ProfileFile& file, std::string section, bool exportTexts)
        : file_(file), section_(std::move(section)), export_(exportTexts) {}

    void Form(QWidget* form) {
        if (export_) {
            file_.WriteString(section_, "Form_Cpt", S(form->windowTitle()));
        } else {
            std::string caption = file_.ReadString(section_, "Form_Cpt", "");
            if (!caption.empty()) form->setWindowTitle(Q(caption));
        }
        std::vector<QObject*> objects;
        Collect(form, objects);
        for (QObject* o : objects) {
            if (auto* bar = qobject_cast<QMenuBar*>(o)) {
                Items(bar->actions());
            } else if (auto* menu = qobject_cast<QMenu*>(o)) {
                Items(menu->actions());
            } else if (auto* action = qobject_cast<QAction*>(o)) {
                Item(action);
            } else if (IsCaptioned(o) && !Nameless(o->objectName())) {
                Control(o);
            }
        }
    }

private:
    void Control(QObject* o) {
        std::string name = S(o->objectName());
        auto* w = qobject_cast<QWidget*>(o);
        if (export_) {
            QString caption = CaptionOf(o);
            if (!caption.isEmpty()) file_.WriteString(section_, name + "_Cpt", S(caption));
            if (w && !w->toolTip().isEmpty()) file_.WriteString(section_, name + "_Hnt", S(w->toolTip()));
            return;
        }
        std::string_view stdKey = StdButtonKey(o);
        if (!stdKey.empty()) {
            if (auto v = file_.Find("StdButtons", stdKey)) SetCaption(o, Q(*v));
        } else {
            std::string caption = file_.ReadString(section_, name + "_Cpt", "");
            if (!caption.empty()) SetCaption(o, Q(caption));
        }
        std::string hint = file_.ReadString(section_, name + "_Hnt", "");
        if (!hint.empty() && w) w->setToolTip(Q(hint));
    }

    // Depth-first: each item, then its submenu's items.
    void Items(const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            Item(a);
            if (auto* sub = a->menu<QMenu*>()) Items(sub->actions());
        }
    }

    void Item(QAction* a) {
        if (visited_.contains(a)) return;
        visited_.insert(a);
        QString name = ItemName(a);
        if (Nameless(name)) return;
        std::string key = S(name) + "_Cpt";
        if (export_) {
            // Every item, even with an empty caption.
            file_.WriteString(section_, key, S(a->text()));
        } else {
            std::string caption = file_.ReadString(section_, key, "");
            if (!caption.empty()) a->setText(Q(caption));
        }
    }

    ProfileFile& file_;
    std::string section_;
    bool export_;
    QSet<QAction*> visited_;
};

}  // namespace

bool IsCaptioned(const QObject* o) {
    return qobject_cast<const QLabel*>(o) || qobject_cast<const QPushButton*>(o) ||
           qobject_cast<const QCheckBox*>(o) || qobject_cast<const QRadioButton*>(o) ||
           qobject_cast<const QToolButton*>(o) || qobject_cast<const QGroupBox*>(o) ||
           // A panel is a plain QFrame; labels and scroll areas are frames too, but not panels.
           o->metaObject() == &QFrame::staticMetaObject;
}

QString CaptionOf(const QObject* o) {
    if (auto* l = qobject_cast<const QLabel*>(o)) return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(o)) return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(o)) return g->title();
    return o->property("Caption").toString();
}

void SetCaption(QObject* o, const QString& text) {
    if (auto* l = qobject_cast<QLabel*>(o))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(o))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(o))
        g->setTitle(text);
    else
        o->setProperty("Caption", text);
}

bool IsLanguageForm(std::string_view objectName) {
    for (std::string_view f : kLanguageForms)
        if (f == objectName) return true;
    return false;
}

void ApplyFormTexts(ProfileFile& file, QWidget* form, bool exportTexts) {
    if (!form) return;
    FormWalker(file, S(form->objectName()), exportTexts).Form(form);
}

std::string DefaultShareFolder() {
    return KRAVELO_SHARE_DIR;
}

Language::Language(std::string programFolder, std::string shareFolder)
    : programFolder_(std::move(programFolder)), shareFolder_(std::move(shareFolder)) {}

Language::~Language() {
    SetQtLanguage({});
}

void Language::SetQtLanguage(const std::string& code) {
    if (qtTranslator_) QCoreApplication::removeTranslator(qtTranslator_.get());
    qtTranslator_.reset();
    qtLanguage_.clear();
    // The code names a file of Qt's translations folder: letters and "_" only ("pt_BR").
    const bool wellFormed = code.size() >= 2 && code.size() <= 8 &&
                            std::all_of(code.begin(), code.end(), [](char c) {
                                return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
                            });
    if (!wellFormed) return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + Q(code), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    qtTranslator_ = std::move(translator);
    qtLanguage_ = code;
}

std::string Language::LanguageFolder() const {
    std::error_code ec;
    fs::path own = fs::path(programFolder_) / "language";
    if (fs::is_directory(own, ec)) return own.string();
    fs::path shared = fs::path(shareFolder_) / "language";
    if (!shareFolder_.empty() && fs::is_directory(shared, ec)) return shared.string();
    return own.string();
}

std::string Language::PathOf(const std::string& fileName) const {
    return (fs::path(LanguageFolder()) / fileName).string();
}

void Language::AddForm(QWidget* form) {
    if (!form) return;
    for (auto& f : forms_)
        if (f == form) return;
    forms_.emplace_back(form);
}

QWidget* Language::Form(std::string_view name) const {
    for (const auto& f : forms_)
        if (f && S(f->objectName()) == name) return f;
    return nullptr;
}

bool Language::LoadLanguage(const std::string& fileName) {
    std::string path = PathOf(fileName);
    std::error_code ec;
    ProfileFile file;
    if (!fileName.empty() && fs::is_regular_file(path, ec)) file = ProfileFile(path);
    if (!file.Exists()) {
        std::string text = S(Q(fileName).toUpper()) + " doesn't exists!";
        if (errorSink_)
            errorSink_(text, "Error");
        else
            QMessageBox::critical(nullptr, QStringLiteral("Error"), Q(text));
        return false;
    }
    for (std::string_view name : kLanguageForms)
        if (QWidget* form = Form(name)) ApplyFormTexts(file, form, false);
    texts_.Load(file);
    SetQtLanguage(file.ReadString(kQtLanguageSection, kQtLanguageKey, ""));
    ApplyLanguageFixUps(*this, file);
    loadedPath_ = path;
    return true;
}

bool Language::ExportLanguage(const std::string& fileName, std::string* error) {
    ProfileFile file(PathOf(fileName));
    for (std::string_view name : kLanguageForms) {
        if (name == "FormChapters" || name == "FormChapterSet") continue;
        if (QWidget* form = Form(name)) ApplyFormTexts(file, form, true);
    }
    std::string message;
    if (file.Save(message)) return true;
    if (error) *error = message;
    return false;
}

}  // namespace kravelo
