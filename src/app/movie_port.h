#pragma once
// What the main window asks of the movie side. The movie side tells the window about itself
// through the window's public members (the session, the command table, the settings) and
// its `MovieReset` signal; the window never reaches into the player.

#include <QString>

namespace kravelo {

// How a movie came to be opened; some ways switch to full screen afterwards.
enum class OpenedBy { Menu, Drop, Recent, CommandLine, HandOver };

class MoviePort {
public:
    virtual ~MoviePort() = default;
    // The player has a movie open.
    virtual bool Loaded() const = 0;
    // ImageSourceHeight of the loaded movie.
    virtual int ImageHeight() const = 0;
    // ImageSourceWidth of the loaded movie.
    virtual int ImageWidth() const { return 0; }
    // OpenMovie: the movie, the subtitle-version offer, the matching subtitle search, the
    // movie's own settings.
    virtual void Open(const QString& path, bool offerChoice, bool loadSubtitles, bool useMovieSettings) = 0;
    // Closes the movie and resets the player's share of the window.
    virtual void Reset() = 0;
    // ChooseSubtitleVersion: the path to open, empty for none.
    virtual QString ChooseSubtitleVersion(const QString& path) = 0;
    // The start-up resume after a run that did not end normally; true when it reopened the movie.
    virtual bool ResumeAfterCrash() = 0;
    // The window closes normally: the position is kept and the crash marker goes.
    virtual void Closing() = 0;
    // A movie was opened one of these ways: full screen follows when the settings ask for it.
    virtual void AfterOpening(OpenedBy) {}
};

}  // namespace kravelo
