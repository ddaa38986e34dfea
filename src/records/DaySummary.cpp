#include "records/DaySummary.h"

#include "util/Constants.h"

#include "records/DayFile.h"
#include "records/DayFileReader.h"
#include "util/DurableFile.h"
#include "util/Format.h"
#include "util/TextFile.h"

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

int ClassOf(const QString& type) {
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
    if (prefix == QLatin1String("CDZ")) {
        return 3;
    }
    return -1;
}

struct ClassSums {
    int count = 0;
    double ozone = 0;
    double ozoneSquared = 0;
    double seconds = 0;
    float inverseMu = 0;
};

int CentredColumn(const QString& text) {
    return static_cast<int>(std::nearbyint((80.0 - static_cast<double>(text.size())) / 2.0));
}

QString At(int column, const QString& text) {
    QString line;
    TabTo(line, column);
    return line + text;
}

} // namespace

bool SumToDay(SharedVars& vars, const Clock& clock, const QString& dateText, SummaryDetail detail,
              const QString& directory, SummaryTexts& texts, OperatorMessages& messages) {
    texts.adds = QStringLiteral("No ADDS Obs. today");
    texts.adZenith = QStringLiteral("No AD Zenith Obs. today");
    texts.cdds = QStringLiteral("No CDDS Obs. today");

    DateTimeValue date = 0;
    if (!ParseMdy(dateText, &date)) {
        messages.Show(QStringLiteral("The date ") + dateText +
                          QStringLiteral(" is not a date of the form MM/DD/YYYY."),
                      QStringLiteral("MISC:SumToDay"));
        vars.AbortFlag = true;
        return false;
    }
    SharedVars named = vars;
    named.DataDir = directory;
    const QString dayPath = DayFilePath(named, date);
    const QString summaryPath = DayFilePath(named, date, u'S');

    const DayFileContents contents = ReadDayFile(dayPath, vars.StationName, date);
    if (contents.status == DayFileStatus::CannotOpen) {
        return true;
    }
    if (contents.status == DayFileStatus::Unreadable) {
        messages.Show(contents.message + u'\n' + QStringLiteral("Program will continue."),
                      QStringLiteral("MISC:SumToDay"));
        vars.AbortFlag = true;
        return false;
    }
    if (contents.status != DayFileStatus::Ok) {
        messages.Show(contents.message, QStringLiteral("Day File"));
        vars.AbortFlag = true;
        return false;
    }

    if (!contents.problems.isEmpty()) {
        // Every good record is summarised; the bad ones are named.
        messages.Show(QStringLiteral("Day file ") + dayPath + u'\n' +
                          contents.problems.join(u'\n') + u'\n' +
                          QStringLiteral("Program will continue."),
                      QStringLiteral("MISC:SumToDay"));
    }

    const bool withFile = detail == SummaryDetail::WithFile;
    const bool brief = detail == SummaryDetail::Brief;
    const DateTimeValue localNow = LocalStandardTime(vars, clock.Now());
    const QString footer = FormatDate(localNow, u"HH:MM:SS") + QStringLiteral(" : ") +
                           FormatDate(localNow, u"DD MMM YYYY") + QChar(12);
    QStringList header;
    {
        const QString title =
            QStringLiteral("Dobson ") + vars.InstrumentId + QStringLiteral(" Observations at:");
        header << QString() << At(CentredColumn(title), title)
               << At(CentredColumn(vars.StationName), vars.StationName)
               << At(27, QStringLiteral("Observations for ") + dateText) << QString()
               << QStringLiteral(
                      "         Type:     Time:     Mu:       DS Ozone:           Zen Ozone: ");
    }

    QStringList file;
    if (contents.headerOnly) {
        if (withFile) {
            file << header << QStringLiteral("No Observations this day ") + footer;
        }
    }

    std::array<ClassSums, 4> sums{};
    if (!contents.headerOnly) {
        if (withFile) {
            file << header;
        }
        int lineCount = 5;
        for (const DayObservation& obs : contents.observations) {
            const int cls = ClassOf(obs.type);
            const double mu = obs.values[4];
            const double ozone = static_cast<float>(obs.values[5]);
            if (withFile) {
                QString line = At(10, obs.type);
                TabTo(line, 20);
                line += obs.time;
                TabTo(line, 30);
                line += FormatNumber(mu, u"#0.000");
                if (cls >= 0) {
                    TabTo(line, 40);
                    line += FormatNumber(obs.values[5], u"##0.0") + kPlusMinus +
                            FormatNumber(obs.values[6], u"#0.0");
                } else {
                    TabTo(line, 55);
                    line += QStringLiteral("Not Calc'd");
                }
                file << line;
                ++lineCount;
            }
            if (cls >= 0) {
                ClassSums& s = sums[static_cast<size_t>(cls)];
                ++s.count;
                s.ozone += ozone;
                s.ozoneSquared += ozone * ozone;
                s.seconds += obs.time.mid(0, 2).toInt() * 3600.0 +
                             obs.time.mid(2, 2).toInt() * 60.0 + obs.time.mid(4, 2).toInt();
                s.inverseMu += static_cast<float>(1.0 / mu);
            }
            if (withFile && lineCount >= 55) {
                file << footer << header;
                lineCount = 5;
            }
        }
        if (withFile) {
            if (lineCount >= 50) {
                file << footer << header;
            }
            file << At(33, QStringLiteral("Daily Averages"));
        }
        QString* outputs[4] = {&texts.adds, &texts.adZenith, &texts.cdds, &texts.cdZenith};
        for (size_t c = 0; c < 4; ++c) {
            const ClassSums& s = sums[c];
            const ClassText& t = kClasses[c];
            if (s.count == 0) {
                if (withFile) {
                    file << QString::fromLatin1(t.none);
                }
                if (c != 3) {
                    *outputs[c] = QString::fromLatin1(t.none);
                }
                continue;
            }
            if (s.count == 1) {
                const QString time = FormatDate(s.seconds / 86400.0, u"hhmmss");
                const double mu = 1.0 / static_cast<double>(s.inverseMu);
                if (withFile) {
                    file << QString::fromLatin1(t.oneFile) + FormatNumber(s.ozone, u"##0.0") +
                                QStringLiteral(" DU                  at:") + time +
                                QStringLiteral(" Mu:") + FormatNumber(mu, u"#0.000");
                }
                QString text = QString::fromLatin1(brief ? t.oneLabelBrief : t.oneLabel) +
                               FormatNumber(s.ozone, u"##0.0") + QStringLiteral(" DU at ") + time;
                if (!brief) {
                    text += QStringLiteral("; Mu:") + FormatNumber(mu, u"#0.000");
                }
                *outputs[c] = text;
                continue;
            }
            const double n = s.count;
            const double mean = s.ozone / n;
            const double variance = (s.ozoneSquared - s.ozone * s.ozone / n) / (n - 1);
            const double spread = std::sqrt(std::max(0.0, variance));
            const QString time = FormatDate(s.seconds / n / 86400.0, u"hhmmss");
            const double mu = 1.0 / (static_cast<double>(s.inverseMu) / n);
            const QString meanText =
                FormatNumber(mean, u"##0.0") + kPlusMinus + FormatNumber(spread, u"#0.0");
            if (withFile) {
                file << FormatNumber(n, u"###") + QString::fromLatin1(t.averageFile) + meanText +
                            QStringLiteral(" DU at mean time:") + time + QStringLiteral(" Mu:") +
                            FormatNumber(mu, u"#0.00");
            }
            QString text = QString::number(s.count) +
                           QString::fromLatin1(brief ? t.averageLabelBrief : t.averageLabel) +
                           meanText;
            text += brief ? QStringLiteral(" DU")
                          : QStringLiteral(" DU at mean time:") + time + QStringLiteral("; Mu:") +
                                FormatNumber(mu, u"#0.00");
            *outputs[c] = text;
        }
        if (withFile) {
            file << footer;
        }
    }

    if (withFile) {
        QString error;
        if (!ReplaceFile(summaryPath, CrLfLines(file), &error)) {
            messages.Show(QStringLiteral("Could not write the summary file ") + summaryPath +
                              QStringLiteral(": ") + error + u'\n' +
                              QStringLiteral("Program will continue."),
                          QStringLiteral("MISC:SumToDay"));
            return false;
        }
    }
    return true;
}

void RefreshDaySummaryLines(SharedVars& vars, const Clock& clock, OperatorMessages& messages) {
    SummaryTexts texts;
    texts.cdZenith = vars.SummaryCDZenith;
    SumToDay(vars, clock, FormatDate(LocalStandardTime(vars, clock.Now()), u"MM/DD/YYYY"),
             SummaryDetail::Brief, vars.DataDir, texts, messages);
    vars.SummaryADDS = texts.adds;
    vars.SummaryADZenith = texts.adZenith;
    vars.SummaryCDDS = texts.cdds;
    vars.SummaryCDZenith = texts.cdZenith;
}

} // namespace quillon
