#include "app/form_open_text.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/language.h"
#include "core/format_size.h"
#include "ui/prompts.h"

namespace kravelo {

TFormOpenText::TFormOpenText(Language& language, OpenDialogCounter& openDialogs, Prompts& prompts,
                             QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormOpenText"));
    setWindowTitle(QStringLiteral("Wybierz wersję napisów"));

    LabelDir = new QLabel(this);
    LabelDir->setObjectName(QStringLiteral("LabelDir"));
    LabelDir->setTextFormat(Qt::PlainText);

    ListViewFiles = new QTreeWidget(this);
    ListViewFiles->setObjectName(QStringLiteral("ListViewFiles"));
    ListViewFiles->setColumnCount(2);
    ListViewFiles->setHeaderLabels({QStringLiteral("Nazwa pliku"), QStringLiteral("Rozmiar")});
    const std::vector<std::string>& titles = language.ChooserColumns();
    for (int col = 0; col < 2 && col < static_cast<int>(titles.size()); ++col)
        if (!titles[static_cast<std::size_t>(col)].empty())
            ListViewFiles->headerItem()->setText(col, QString::fromStdString(titles[static_cast<std::size_t>(col)]));
    ListViewFiles->setColumnWidth(0, 214);
    ListViewFiles->setColumnWidth(1, 56);
    ListViewFiles->setRootIsDecorated(false);
    ListViewFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewFiles->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Rows arrive sorted by name; the header does not re-sort them.
    ListViewFiles->header()->setSectionsClickable(false);
    ListViewFiles->header()->setStretchLastSection(false);

    Button1 = MakeOkButton();
    Button2 = MakeCancelButton();
    connect(ListViewFiles, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });

    QHBoxLayout* buttons = ButtonRow(Button1, Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelDir);
    layout->addWidget(ListViewFiles);
    layout->addLayout(buttons);
    resize(310, 220);

    language.AddForm(this);
}

QString TFormOpenText::ChooseSubtitleVersion(const QString& path) {
    const VersionPattern pattern = VersionPatternOf(path.toStdString());
    const QString folder = QString::fromStdString(pattern.folder);
    LabelDir->setText(QDir::toNativeSeparators(folder.isEmpty() ? QDir::currentPath() : folder));
    ListViewFiles->clear();

    for (const std::string& name : ListVersions(pattern, probe_)) {
        auto* row = new QTreeWidgetItem(ListViewFiles);
        row->setText(0, QString::fromStdString(name));
        row->setText(1, QString::fromStdString(ChooserSizeText(FileSizeOf(pattern.folder + name))));
    }
    if (ListViewFiles->topLevelItemCount() == 0) return {};
    ListViewFiles->setCurrentItem(ListViewFiles->topLevelItem(0));

    if (ListViewFiles->topLevelItemCount() > 1 && prompts_.ExecDialog(*this) != QDialog::Accepted) return {};
    QTreeWidgetItem* chosen = ListViewFiles->currentItem();
    if (!chosen) chosen = ListViewFiles->topLevelItem(0);
    return folder + chosen->text(0);
}

void TFormOpenText::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    ListViewFiles->setFocus();
    // Brought to the front even when the player or another program has it.
    raise();
    activateWindow();
}

}  // namespace kravelo
