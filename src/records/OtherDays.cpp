// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/OtherDays.h"

#include "records/DayFile.h"

namespace quillon {

OtherDaysBrowser::OtherDaysBrowser(Services& services, OtherDaysScreens& screens)
    : s_(services), screens_(screens) {}

void OtherDaysBrowser::Run() {
    if (!screens_.Explain()) {
        return;
    }
    while (const std::optional<QString> directory = screens_.ChooseDirectory()) {
        const DayFileList list = ListDayFiles(*directory, DayFileExtension(s_.vars));
        if (list.entries.isEmpty()) {
            s_.messages.Show(list.message, list.title);
            continue;
        }
        screens_.RunDayList(*directory, list);
    }
}

OtherDaysBrowser::DayView OtherDaysBrowser::Choose(const QString& directory,
                                                   const DayFileEntry& day) {
    SummaryTexts texts;
    SumAday(s_.vars, s_.clock, day.date, SummaryDetail::Full, directory, texts, s_.messages);
    return {{texts.adds, texts.adZenith, texts.cdds}, QStringLiteral("S") + day.name.mid(1)};
}

bool OtherDaysBrowser::MakeSummaryFile(const QString& directory, const DayFileEntry& day) {
    SummaryTexts texts;
    return SumAday(s_.vars, s_.clock, day.date, SummaryDetail::WithFile, directory, texts,
                   s_.messages);
}

} // namespace quillon
