#pragma once
// The help: HTML pages "<page>_<language>.html" in the help/ folder beside the program (else the
// installed share folder's), one page per window and command group, in Polish and English.
// "&Tematy pomocy" (F1 in the main window) opens the contents; F1 in any other window or
// dialog opens that window's page, at its section.
//
//     HelpKeyFilter filter(mainWindow, [&](const QString& form) { window.OpenHelp(form); });
//     qApp->installEventFilter(&filter);

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace kravelo {

struct HelpTopic {
    std::string page;    // "index", "file", "edit", "subtitles", "movie", "fullscreen", "options", "tools"
    std::string anchor;  // a section of the page, empty for its top
};

// The topic of a window or dialog by its object name; the contents for names without one.
HelpTopic HelpTopicFor(std::string_view objectName);

// The language of the pages for a language file's code: "en" for English and every language
// without pages of its own, "pl" for Polish and for no file loaded (the built-in texts are Polish).
std::string HelpLanguage(std::string_view languageCode);

// The page's file in the program folder's help/, else in the share folder's help/; the other
// language's page when this language has none. Empty when neither exists.
QString FindHelpPage(const HelpTopic& topic, std::string_view languageCode, const QString& programFolder,
                     const QString& shareFolder);

// F1 pressed in any window but `mainWindow` calls `open` with that window's object name and
// is consumed; the main window's F1 is its own command.
class HelpKeyFilter : public QObject {
public:
    HelpKeyFilter(QWidget* mainWindow, std::function<void(const QString& objectName)> open);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* mainWindow_;
    std::function<void(const QString&)> open_;
};

}  // namespace kravelo
