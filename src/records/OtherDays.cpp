// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/OtherDays.h"

#include "records/DayFile.h"

namespace quillon {

OtherDaysBrowser::OtherDaysBrowser(const StationSetup& setup, const Clock& clock,
                                   OperatorMessages& messages, OtherDaysScreens& screens)
    : setup_(setup), clock_(clock), messages_(messages), screens_(screens) {}

void OtherDaysBrowser::Run() {
    if (screens_.Explain() == ContinueOrEscape::Escape) {
        return;
    }
    while (const std::optional<QString> directory = screens_.ChooseDirectory()) {
        const DayFileList list =
            ListDayFiles(*directory, DayFileExtension(setup_), setup_.StationName);
        if (list.entries.isEmpty()) {
            messages_.Show(list.message, list.title);
            continue;
        }
        screens_.RunDayList(*directory, list);
    }
}

OtherDaysBrowser::DayView OtherDaysBrowser::Choose(const QString& directory,
                                                   const DayFileEntry& day) {
    SummaryTexts texts;
    SumAday(setup_, clock_, day.date, SummaryDetail::Full, directory, texts, messages_);
    return {{texts.adds, texts.adZenith, texts.cdds}, QStringLiteral("S") + day.name.mid(1)};
}

bool OtherDaysBrowser::MakeSummaryFile(const QString& directory, const DayFileEntry& day) {
    SummaryTexts texts;
    return SumAday(setup_, clock_, day.date, SummaryDetail::WithFile, directory, texts, messages_);
}

} // namespace quillon
