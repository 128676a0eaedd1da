#include "app/form_statistics.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/settings.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

namespace kravelo {
namespace {

QLineEdit* Field(QWidget* parent, const char* name, int characters) {
    QLineEdit* e = Edit(parent, name, "", 64);
    e->setReadOnly(true);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(characters, u'0')) + 12);
    return e;
}

}  // namespace

TFormStatistics::TFormStatistics(Settings& settings, OpenDialogCounter& openDialogs, Prompts& prompts,
                                 QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent), settings_(settings) {
    setObjectName(QStringLiteral("FormStatistics"));
    setWindowTitle(QStringLiteral("Statystyki"));

    EditDateFrom = Field(this, "EditDateFrom", 10);
    EditDateTo = Field(this, "EditDateTo", 10);
    EditDaysCount = Field(this, "EditDaysCount", 5);
    EditExecuteCount = Field(this, "EditExecuteCount", 8);
    EditTimeCountD = Field(this, "EditTimeCountD", 5);
    EditTimeCountH = Field(this, "EditTimeCountH", 2);
    EditTimeCountM = Field(this, "EditTimeCountM", 2);
    EditTimeCountS = Field(this, "EditTimeCountS", 2);
    EditTimePerDay = Field(this, "EditTimePerDay", 8);
    EditMoviesCount = Field(this, "EditMoviesCount", 8);
    EditSubtitlesCount = Field(this, "EditSubtitlesCount", 8);
    EditTotalMovieSize = Field(this, "EditTotalMovieSize", 11);
    EditTotalSubSize = Field(this, "EditTotalSubSize", 11);
    EditTotalMovieTime = Field(this, "EditTotalMovieTime", 10);
    EditMovieTimePerDay = Field(this, "EditMovieTimePerDay", 10);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    // A caption in column 0 and its field (with what follows it) in column 1.
    auto row = [this, grid](int r, const char* name, const char* caption, std::initializer_list<QWidget*> after) {
        grid->addWidget(Label(this, name, caption), r, 0);
        auto* line = new QHBoxLayout;
        line->setSpacing(4);
        for (QWidget* w : after) line->addWidget(w);
        line->addStretch();
        grid->addLayout(line, r, 1);
    };
    row(0, "Label1", "Statystyki zbierane od:",
        {EditDateFrom, Label(this, "Label2", "do:"), EditDateTo, Label(this, "Label3", "przez dni:"), EditDaysCount});
    row(1, "Label4", "Kravelo uruchomiony byl razy:", {EditExecuteCount});
    row(2, "Label5", "Łączny czas pracy programu:",
        {EditTimeCountD, Label(this, "Label6", "dni oraz:"), EditTimeCountH, Label(this, "Label7", "g"),
         EditTimeCountM, Label(this, "Label8", "m"), EditTimeCountS, Label(this, "Label9", "s")});
    row(3, "Label10", "Średni dzienny czas pracy:", {EditTimePerDay, Label(this, "Label15", "minut")});
    row(4, "Label11", "Ilość wczytanych filmów:", {EditMoviesCount});
    row(5, "Label12", "Ilość wczytanych napisów:", {EditSubtitlesCount});
    row(6, "Label13", "Łączny rozmiar wczytanych filmów:", {EditTotalMovieSize});
    row(7, "Label14", "Łączny rozmiar wczytanych napisów:", {EditTotalSubSize});
    row(8, "Label16", "Łączna długość trwania wczytanych filmów:", {EditTotalMovieTime, Label(this, "Label17", "godzin")});
    row(9, "Label18", "Średna dzienna długość filmów:", {EditMovieTimePerDay, Label(this, "Label19", "godzin")});
    grid->setColumnStretch(1, 1);

    ButtonReset = Named(new QPushButton(QStringLiteral("Zeruj"), this), "ButtonReset");
    ButtonReset->setAutoDefault(false);
    Button1 = MakeOkButton();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonReset);
    buttons->addStretch();
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ButtonReset, &QPushButton::clicked, this, &TFormStatistics::Reset);
}

void TFormStatistics::showEvent(QShowEvent* event) {
    RefreshStatistics();
    CountedDialog::showEvent(event);
}

void TFormStatistics::RefreshStatistics() {
    StatisticsInput in;
    in.dateFrom = settings_.DateFrom;
    in.executeCount = settings_.ExecuteCount;
    in.movieCount = settings_.MovieCount;
    in.subtitleCount = settings_.SubtitleCount;
    in.runningSeconds = runningSeconds ? runningSeconds() : settings_.WorkingTime;
    in.totalMovieHours = settings_.TotalMovieTime;
    in.totalMovieBytes = settings_.TotalMovieSize;
    in.totalSubtitleBytes = settings_.TotalSubtitlesSize;
    const StatisticsTexts t = StatisticsFor(in, now());
    const std::pair<QLineEdit*, const std::string*> fields[] = {
        {EditDateFrom, &t.dateFrom},          {EditDateTo, &t.dateTo},
        {EditDaysCount, &t.daysCount},        {EditExecuteCount, &t.executeCount},
        {EditTimeCountD, &t.timeDays},        {EditTimeCountH, &t.timeHours},
        {EditTimeCountM, &t.timeMinutes},     {EditTimeCountS, &t.timeSeconds},
        {EditTimePerDay, &t.minutesPerDay},   {EditMoviesCount, &t.movieCount},
        {EditSubtitlesCount, &t.subtitleCount}, {EditTotalMovieSize, &t.totalMovieSize},
        {EditTotalSubSize, &t.totalSubtitleSize}, {EditTotalMovieTime, &t.totalMovieHours},
        {EditMovieTimePerDay, &t.movieHoursPerDay},
    };
    for (const auto& [edit, text] : fields) edit->setText(Q(*text));
}

void TFormStatistics::Reset() {
    if (prompts_.Box("FormStatistics", "Reset", MessageIcon::Question, BoxButtons::YesNo) != BoxAnswer::Yes) return;
    settings_.DateFrom = ShortDateText(now());
    settings_.ExecuteCount = 0;
    settings_.MovieCount = 0;
    settings_.SubtitleCount = 0;
    settings_.WorkingTime = 0.0;
    settings_.TotalMovieTime = 0.0;
    settings_.TotalMovieSize = 0.0;
    settings_.TotalSubtitlesSize = 0.0;
    if (restartRunningTime) restartRunningTime();
    RefreshStatistics();
}

}  // namespace kravelo
