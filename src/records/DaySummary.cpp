// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/DaySummary.h"

#include "util/Constants.h"

#include "astro/AstroFunctions.h"
#include "records/DayFile.h"
#include "records/DayFileReader.h"
#include "util/DurableFile.h"
#include "util/Format.h"
#include "util/TextFile.h"

#include <QFileInfo>
#include <QStringList>
#include <cmath>

namespace quillon {

namespace {

struct ClassText {
    const char* none;
    const char* oneFile;
    const char* oneLabel;
    const char* oneLabelBrief;
    const char* averageFile;
    const char* averageLabel;
    const char* averageLabelBrief;
};

// In the order the summary lists them: ADDS, AD zenith, CDDS, CD zenith.
const ClassText kClasses[4] = {
    {"No ADDS type observations this day.",
     "One ADDS Obs         Ozone=", "One ADDS Obs with Ozone=", "One ADDS Obs with Ozone=",
     "  ADDS Obs Average Ozone=", " ADDS OBS Average Ozone=", " ADDS OBS Average Ozone="},
    {"No AD zenith type observations this day.",
     "One ADZ  Obs         Ozone=", "One AD zenith Ob with O3=", "One AD zenith Ob with O3=",
     "  ADZ Obs Average Ozone=", " AD Zenith OBS Ave O3=", " AD Zenith OBS Ave O3="},
    {"No CDDS type observations this day.",
     "One CDDS  Obs         Ozone=", "One CDDS Obs with Ozone=", "One CDDS Obs with Ozone=",
     "  CDDS Obs Average Ozone=", " CDDS OBS Average Ozone=", " CDDS OBS Average Ozone="},
    {"No CDZenith type observations this day.",
     "One CD Zenith Obs         Ozone=", "One CD Zenith Obs with O3=", "One CDz Obs with O3=",
     "  CD Zenith Obs Average Ozone=", " CD Zenith OBS Average O3=", " CD zenith  OBS Average O3="},
};

// The AD zenith texts of the summary of another day.
const ClassText kOtherDayAdZenith = {"No AD zenith type observations this day.",
                                     "One ADZ  Obs         Ozone=",
                                     "One AD zenith Ob with Ozone=",
                                     "One AD zenith Ob with Ozone=",
                                     " ADZ Obs  Average Ozone=",
                                     " AD Zenith OBS Average Ozone=",
                                     " AD Zenith OBS Average Ozone="};

int CentredColumn(const QString& text) {
    return static_cast<int>(std::nearbyint((80.0 - static_cast<double>(text.size())) / 2.0));
}

QString At(int column, const QString& text) {
    QString line;
    TabTo(line, column);
    return line + text;
}

} // namespace

const SummaryStyle& TodaysSummary() {
    static const SummaryStyle style = [] {
        SummaryStyle s;
        s.boxTitle = QStringLiteral("MISC:SumToDay");
        return s;
    }();
    return style;
}

const SummaryStyle& OtherDaysSummary() {
    static const SummaryStyle style = [] {
        SummaryStyle s;
        s.boxTitle = QStringLiteral("MISC:SumAday");
        s.checkDayOfYear = true;
        s.muPicture = u"##.000";
        s.ozonePictures = {u"###.0", u"###.#", u"###.#", u"###.#"};
        s.spreadPictures = {u"##.00", u"##.#", u"##.#", u"##.#"};
        s.classes = 3;
        s.instrumentNumberInHeader = true;
        s.noAveragesLine = true;
        return s;
    }();
    return style;
}

int SummaryClassOf(const QString& type, const SummaryStyle& style) {
    const QString prefix = type.left(3);
    if (prefix == QLatin1String("ADD")) {
        return 0;
    }
    if (prefix == QLatin1String("ADZ")) {
        return 1;
    }
    if (prefix == QLatin1String("CDD")) {
        return 2;
    }
    if (prefix == QLatin1String("CDZ") && style.classes == 4) {
        return 3;
    }
    return -1;
}

std::array<ClassSums, 4> SumClasses(const QList<DayObservation>& observations,
                                    const SummaryStyle& style) {
    std::array<ClassSums, 4> sums{};
    for (const DayObservation& obs : observations) {
        const int cls = SummaryClassOf(obs.type, style);
        if (cls < 0) {
            continue;
        }
        ClassSums& s = sums[static_cast<size_t>(cls)];
        const double ozone = static_cast<float>(obs.values[5]);
        ++s.count;
        s.ozone += ozone;
        s.ozoneSquared += ozone * ozone;
        s.seconds += obs.time.mid(0, 2).toInt() * 3600.0 + obs.time.mid(2, 2).toInt() * 60.0 +
                     obs.time.mid(4, 2).toInt();
        s.inverseMu += static_cast<float>(1.0 / obs.values[4]);
    }
    return sums;
}

QString SummaryListingLine(const DayObservation& obs, const SummaryStyle& style) {
    const int cls = SummaryClassOf(obs.type, style);
    QString line = At(10, obs.type);
    TabTo(line, 20);
    line += obs.time;
    TabTo(line, 30);
    line += FormatNumber(obs.values[4], style.muPicture);
    if (cls >= 0) {
        TabTo(line, 40);
        line += FormatNumber(obs.values[5], style.ozonePictures[static_cast<size_t>(cls)]) +
                kPlusMinus +
                FormatNumber(obs.values[6], style.spreadPictures[static_cast<size_t>(cls)]);
    } else {
        TabTo(line, 55);
        line += QStringLiteral("Not Calc'd");
    }
    return line;
}

ClassSummary SummariseClass(int cls, const ClassSums& s, SummaryDetail detail,
                            const SummaryStyle& style) {
    const ClassText& t =
        style.classes == 3 && cls == 1 ? kOtherDayAdZenith : kClasses[static_cast<size_t>(cls)];
    const bool brief = detail == SummaryDetail::Brief;
    ClassSummary out;
    if (s.count == 0) {
        out.fileLine = QString::fromLatin1(t.none);
        out.text = out.fileLine;
        return out;
    }
    if (s.count == 1) {
        const QString time = FormatDate(s.seconds / 86400.0, u"hhmmss");
        const double mu = 1.0 / static_cast<double>(s.inverseMu);
        out.fileLine = QString::fromLatin1(t.oneFile) + FormatNumber(s.ozone, u"##0.0") +
                       QStringLiteral(" DU                  at:") + time + QStringLiteral(" Mu:") +
                       FormatNumber(mu, u"#0.000");
        out.text = QString::fromLatin1(brief ? t.oneLabelBrief : t.oneLabel) +
                   FormatNumber(s.ozone, u"##0.0") + QStringLiteral(" DU at ") + time;
        if (!brief) {
            out.text += QStringLiteral("; Mu:") + FormatNumber(mu, u"#0.000");
        }
        return out;
    }
    const double n = s.count;
    const double mean = s.ozone / n;
    const double variance = (s.ozoneSquared - s.ozone * s.ozone / n) / (n - 1);
    const double spread = std::sqrt(std::max(0.0, variance));
    const QString time = FormatDate(s.seconds / n / 86400.0, u"hhmmss");
    const double mu = 1.0 / (static_cast<double>(s.inverseMu) / n);
    const QString meanText =
        FormatNumber(mean, u"##0.0") + kPlusMinus + FormatNumber(spread, u"#0.0");
    out.fileLine = FormatNumber(n, u"###") + QString::fromLatin1(t.averageFile) + meanText +
                   QStringLiteral(" DU at mean time:") + time + QStringLiteral(" Mu:") +
                   FormatNumber(mu, u"#0.00");
    out.text = QString::number(s.count) +
               QString::fromLatin1(brief ? t.averageLabelBrief : t.averageLabel) + meanText;
    out.text += brief ? QStringLiteral(" DU")
                      : QStringLiteral(" DU at mean time:") + time + QStringLiteral("; Mu:") +
                            FormatNumber(mu, u"#0.00");
    return out;
}

QStringList SummaryPageHeader(const StationSetup& setup, const QString& dateText,
                              const SummaryStyle& style) {
    const QString title =
        QStringLiteral("Dobson ") +
        (style.instrumentNumberInHeader ? FormatNumber(setup.InstrumentNumber, u" ###")
                                        : setup.InstrumentId) +
        QStringLiteral(" Observations at:");
    return {
        QString(),
        At(CentredColumn(title), title),
        At(CentredColumn(setup.StationName), setup.StationName),
        At(27, QStringLiteral("Observations for ") + dateText),
        QString(),
        QStringLiteral("         Type:     Time:     Mu:       DS Ozone:           Zen Ozone: ")};
}

QStringList SummaryFileLines(const StationSetup& setup, const QString& dateText, DateTimeValue date,
                             const DayFileContents& contents, const SummaryStyle& style,
                             DateTimeValue localNow) {
    const QString footer = FormatDate(localNow, u"HH:MM:SS") + QStringLiteral(" : ") +
                           FormatDate(localNow, u"DD MMM YYYY") + QChar(12);
    const QStringList header = SummaryPageHeader(setup, dateText, style);
    QStringList file = header;
    if (contents.headerOnly) {
        file << QStringLiteral("No Observations this day ") + footer;
        return file;
    }
    int lineCount = 5;
    for (const DayObservation& obs : contents.observations) {
        file << SummaryListingLine(obs, style);
        ++lineCount;
        if (lineCount >= 55) {
            file << footer << header;
            lineCount = 5;
        }
    }
    if (lineCount >= 50) {
        file << footer << header;
    }
    file << At(33, QStringLiteral("Daily Averages"));
    const std::array<ClassSums, 4> sums = SumClasses(contents.observations, style);
    bool any = false;
    for (int c = 0; c < style.classes; ++c) {
        any = any || sums[static_cast<size_t>(c)].count > 0;
    }
    if (!any && style.noAveragesLine) {
        file << QStringLiteral("No averages for ") + FormatDate(date, u"DD MMM/YYYY");
    } else {
        for (int c = 0; c < style.classes; ++c) {
            file << SummariseClass(c, sums[static_cast<size_t>(c)], SummaryDetail::WithFile, style)
                        .fileLine;
        }
    }
    file << footer;
    return file;
}

bool SummariseDay(const StationSetup& setup, const Clock& clock, const QString& dateText,
                  SummaryDetail detail, const QString& directory, SummaryTexts& texts,
                  OperatorMessages& messages, const SummaryStyle& style) {
    texts.adds = QStringLiteral("No ADDS Obs. today");
    texts.adZenith = QStringLiteral("No AD Zenith Obs. today");
    texts.cdds = QStringLiteral("No CDDS Obs. today");

    DateTimeValue date = 0;
    if (style.checkDayOfYear && DayOfYearFromText(dateText) == 999) {
        messages.Show(dateText + QStringLiteral(" Will not convert to DOY"), style.boxTitle);
        return false;
    }
    if (!ParseMdy(dateText, &date)) {
        messages.Show(QStringLiteral("The date ") + dateText +
                          QStringLiteral(" is not a date of the form MM/DD/YYYY."),
                      style.boxTitle);
        return false;
    }
    StationSetup named = setup;
    named.DataDir = directory;
    const QString dayPath = DayFilePath(named, date);
    const QString summaryPath = DayFilePath(named, date, u'S');

    const DayFileContents contents = ReadDayFile(dayPath, setup.StationName, date);
    if (contents.status == DayFileStatus::CannotOpen) {
        return true;
    }
    if (contents.status == DayFileStatus::Unreadable) {
        messages.Show(contents.message + u'\n' + QStringLiteral("Program will continue."),
                      style.boxTitle);
        return false;
    }
    if (contents.status != DayFileStatus::Ok) {
        messages.Show(contents.message, QStringLiteral("Day File"));
        return false;
    }
    if (!contents.problems.isEmpty()) {
        // Every good record is summarised; the bad ones are named.
        messages.Show(QStringLiteral("Day file ") + dayPath + u'\n' +
                          contents.problems.join(u'\n') + u'\n' +
                          QStringLiteral("Program will continue."),
                      style.boxTitle);
    }

    if (!contents.headerOnly) {
        const std::array<ClassSums, 4> sums = SumClasses(contents.observations, style);
        QString* outputs[4] = {&texts.adds, &texts.adZenith, &texts.cdds, &texts.cdZenith};
        bool any = false;
        for (int c = 0; c < style.classes; ++c) {
            const ClassSums& s = sums[static_cast<size_t>(c)];
            any = any || s.count > 0;
            // The CD zenith text keeps what the caller had until a CD zenith
            // observation is summarised.
            if (c == 3 && s.count == 0) {
                continue;
            }
            *outputs[c] = SummariseClass(c, s, detail, style).text;
        }
        if (!any && style.noAveragesLine) {
            texts.adds = QStringLiteral("No averages for ") + FormatDate(date, u"DD MMM/YYYY");
        }
    }
    texts.summarised = true;
    if (detail == SummaryDetail::WithFile) {
        const QStringList file = SummaryFileLines(setup, dateText, date, contents, style,
                                                  LocalStandardTime(setup, clock.Now()));
        // Any day's summary ("S06083.083") that a kill left half-written.
        static const QRegularExpression summaries(QStringLiteral("^S\\d{5}\\..+$"));
        RemoveLeftoverPartFiles(QFileInfo(summaryPath).path(), summaries);
        const Result<void> written = ReplaceFile(summaryPath, CrLfLines(file));
        if (!written) {
            messages.Show(QStringLiteral("Could not write the summary file ") + summaryPath +
                              QStringLiteral(": ") + written.error().message + u'\n' +
                              QStringLiteral("Program will continue."),
                          style.boxTitle);
            return false;
        }
    }
    return true;
}

bool SumToDay(const StationSetup& setup, const Clock& clock, const QString& dateText,
              SummaryDetail detail, const QString& directory, SummaryTexts& texts,
              OperatorMessages& messages) {
    return SummariseDay(setup, clock, dateText, detail, directory, texts, messages,
                        TodaysSummary());
}

bool SumAday(const StationSetup& setup, const Clock& clock, const QString& dateText,
             SummaryDetail detail, const QString& directory, SummaryTexts& texts,
             OperatorMessages& messages) {
    return SummariseDay(setup, clock, dateText, detail, directory, texts, messages,
                        OtherDaysSummary());
}

void RefreshDaySummaryLines(const StationSetup& setup, DayState& day, const Clock& clock,
                            OperatorMessages& messages) {
    SummaryTexts texts;
    texts.cdZenith = day.SummaryCDZenith;
    SumToDay(setup, clock, FormatDate(LocalStandardTime(setup, clock.Now()), u"MM/DD/YYYY"),
             SummaryDetail::Brief, setup.DataDir, texts, messages);
    day.SummaryADDS = texts.adds;
    day.SummaryADZenith = texts.adZenith;
    day.SummaryCDDS = texts.cdds;
    day.SummaryCDZenith = texts.cdZenith;
}

} // namespace quillon
