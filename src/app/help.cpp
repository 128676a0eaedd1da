#include "app/help.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>
#include <utility>

namespace kravelo {

namespace {

struct TopicOf {
    const char* objectName;
    const char* page;
    const char* anchor;
};

constexpr TopicOf kTopics[] = {
    {"Form1", "index", ""},
    {"FormOpenText", "file", "versions"},
    {"FormPytanie14SetFormat", "file", "format"},
    {"Find", "edit", "find"},
    {"Replace", "edit", "replace"},
    {"FormPytanie10ZnajdzSzybkiNapis", "edit", "short"},
    {"FormPytanie07ZnajdzPrzerwe", "edit", "gap"},
    {"FormPytanie08PrzejdzDoNapisu", "edit", "go-to"},
    {"FormPytanie03PrzesNap", "subtitles", "shift"},
    {"FormPytanie06ZmianaFPSNap", "subtitles", "frame-rate"},
    {"FormPytanie09OkreslFPS", "subtitles", "default-frame-rate"},
    {"FormPytanie01Konwert", "subtitles", "convert"},
    {"FormPytanie04CzasWysw", "subtitles", "display-time"},
    {"FormPytanie13PolaczNapisy", "subtitles", "merge"},
    {"FormPytanie11PoprawNapisy", "subtitles", "repair"},
    {"FormSubNotSorted", "subtitles", "sort"},
    {"FormPytanie12BladLinii", "subtitles", "line-error"},
    {"FormMP", "movie", ""},
    {"FormPytanie05SkokDo", "movie", "jump"},
    {"FormPytanie02Geom", "movie", "delay"},
    {"FormSyncPreview", "movie", "sync"},
    {"FormChapters", "movie", "chapters"},
    {"FormChapterSet", "movie", "chapters"},
    {"FormControlPanel", "fullscreen", "panel"},
    {"FormFSProgress", "fullscreen", "panel"},
    {"FormMessage", "fullscreen", ""},
    {"FormSkin", "fullscreen", "skins"},
    {"FormUstawienia", "options", ""},
    {"FormStatistics", "tools", "statistics"},
    {"FormSubtitleFont", "tools", "subtitle-font"},
    {"FormLanguage", "tools", "language"},
    {"FormInformacje", "tools", "about"},
};

}  // namespace

HelpTopic HelpTopicFor(std::string_view objectName) {
    for (const TopicOf& t : kTopics)
        if (objectName == t.objectName) return {t.page, t.anchor};
    return {"index", ""};
}

std::string HelpLanguage(std::string_view languageCode) {
    return languageCode.empty() || languageCode == "pl" ? "pl" : "en";
}

QString FindHelpPage(const HelpTopic& topic, std::string_view languageCode, const QString& programFolder,
                     const QString& shareFolder) {
    const std::string first = HelpLanguage(languageCode);
    const std::string second = first == "pl" ? "en" : "pl";
    for (const std::string& language : {first, second}) {
        const QString name = QStringLiteral("help/") + QString::fromStdString(topic.page + "_" + language + ".html");
        for (const QString& folder : {programFolder, shareFolder}) {
            if (folder.isEmpty()) continue;
            const QString path = QDir(folder).filePath(name);
            if (QFileInfo(path).isFile()) return QFileInfo(path).absoluteFilePath();
        }
    }
    return {};
}

HelpKeyFilter::HelpKeyFilter(QWidget* mainWindow, std::function<void(const QString&)> open)
    : QObject(mainWindow), mainWindow_(mainWindow), open_(std::move(open)) {}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (!window || window == mainWindow_) return false;
    if (open_) open_(window->objectName());
    return true;
}

}  // namespace kravelo
