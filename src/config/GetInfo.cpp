// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/GetInfo.h"

#include "util/Constants.h"

#include "config/ConfigFile.h"
#include "config/FatalFileError.h"
#include "util/DurableFile.h"
#include "util/ItemReader.h"
#include "util/TextFile.h"

#include <QFileInfo>

namespace quillon {

namespace {

// The readers proper: a mandatory file or item that cannot be used throws
// FatalFileError, which the public readers below turn into their result.

void DirectoriesFrom(StationSetup& setup) {
    ConfigFile file =
        ConfigFile::Open(setup.HomeDir, QStringLiteral("disc.cfg"), QStringLiteral("disk.cfg"));
    setup.ConfigDir = NormalizeDirectory(file.Text(), setup.HomeDir);
    setup.DataDir = NormalizeDirectory(file.Text(), setup.HomeDir);
    setup.HistoryDir = NormalizeDirectory(file.Text(), setup.HomeDir);
    // A configuration directory that is not there is disc.cfg's fault, and
    // the box says so rather than blaming the first file looked for in it.
    if (!QFileInfo(setup.ConfigDir).isDir()) {
        throw FatalFileError(kErrPathNotFound, setup.HomeDir, QStringLiteral("disk.cfg"),
                             QStringLiteral("Path not found: item 1 names the directory ") +
                                 setup.ConfigDir + QStringLiteral(", which does not exist"));
    }
    const std::optional<QString> port = file.OptionalText();
    setup.EncoderPort = port ? port->trimmed() : QString();
    setup.EncoderInUse = !setup.EncoderPort.isEmpty();
}

void NTableFrom(const StationSetup& setup, Calibration& calibration) {
    ConfigFile table =
        ConfigFile::Open(setup.ConfigDir, QStringLiteral("ntable.") + setup.InstrumentId,
                         QStringLiteral("Ntable.") + setup.InstrumentId);
    calibration.NTableDate = table.Text();
    for (auto& row : calibration.NTable) {
        for (double& value : row) {
            value = table.Number();
        }
    }
}

void LampCorrectionsFrom(const StationSetup& setup, Calibration& calibration,
                         OperatorMessages& messages) {
    const QString lampName = QStringLiteral("lampcorr.") + setup.InstrumentId;
    const QString lampPath = ResolveFileName(setup.ConfigDir, lampName);
    const Result<QString> read = ReadTextFile(lampPath, kMaxConfigFileBytes);
    if (!read) {
        if (read.error().number != kErrFileNotFound) {
            throw FatalFileError(read.error().number, setup.ConfigDir,
                                 QStringLiteral("LampCorrections file "), read.error().message);
        }
        messages.Show(QStringLiteral("LAMPCORR.") + setup.InstrumentId +
                          QStringLiteral(" Not Found in ") + u'\n' + setup.ConfigDir + u'\n' +
                          QStringLiteral("Corrections of 0.0 will be used."),
                      QStringLiteral("Lamp Adjustments not Found."));
        calibration.LampCorr = {0, 0, 0, 0};
        calibration.LampCorrDate = QStringLiteral("None");
        calibration.LampCorrLamp = QStringLiteral("None");
    } else {
        const QString& text = *read;
        ConfigFile lamp(text, setup.ConfigDir, QStringLiteral("LampCorrections file "));
        calibration.LampCorrDate = lamp.Text();
        calibration.LampCorrLamp = lamp.Text();
        for (double& value : calibration.LampCorr) {
            value = lamp.Number();
        }
    }
}

void InstrumentFrom(StationSetup& setup, Calibration& calibration, OperatorMessages& messages) {
    {
        ConfigFile inst = ConfigFile::Open(setup.ConfigDir, QStringLiteral("inst.cfg"),
                                           QStringLiteral("INST.CFG"));
        // The instrument's number names its files: a whole number, never
        // a negative one or one beyond any instrument ever built.
        setup.InstrumentNumber = inst.WholeNumber(1, 999);
        setup.InstrumentId = InstrumentIdFor(setup.InstrumentNumber);
        calibration.TempCoeff = inst.Number();
        calibration.Q15A = inst.Number();
        calibration.Q15C = inst.Number();
        calibration.Q15D = inst.Number();
        calibration.Q15Hg = inst.Number();
        calibration.QTableDate = inst.WholeText();
        calibration.LastHgTest = inst.OptionalTestDate();
        calibration.LastStdTest = inst.OptionalTestDate();
    }
    NTableFrom(setup, calibration);
    LampCorrectionsFrom(setup, calibration, messages);
    // A station that never recorded its standard lamp test in inst.cfg still
    // knows it from the corrections that test produced.
    if (calibration.LampCorrDate != QLatin1String("None") &&
        calibration.LastStdTest == QLatin1String("UNKNOWN")) {
        calibration.LastStdTest = calibration.LampCorrDate;
    }
}

void StationFrom(StationSetup& setup) {
    {
        ConfigFile station = ConfigFile::Open(setup.ConfigDir, QStringLiteral("station.cfg"),
                                              QStringLiteral("STATION.CFG"));
        setup.EarthRadius = station.Number();
        // West positive; a place on the earth, and a zone the world uses.
        setup.Longitude = station.NumberIn(-180, 180);
        setup.Latitude = station.NumberIn(-90, 90);
        setup.UtcOffsetHours = static_cast<float>(station.NumberIn(-14, 14));
        setup.MeanPressure = station.Number();
        setup.Altitude = station.Number();
        setup.OzoneLayerHeight = station.Number();
        setup.WmoNumber = station.Integer16();
        setup.StationName = station.Text();
        setup.StationCode = station.Text();
    }
    setup.LongitudeRad = setup.Longitude * kPi / 180.0;
    setup.LatitudeRad = setup.Latitude * kPi / 180.0;
    setup.PressureRatio = static_cast<float>(setup.MeanPressure) / 1013.0f;
    const double ratio =
        (setup.Altitude + setup.EarthRadius) / (setup.OzoneLayerHeight + setup.EarthRadius);
    setup.LayerFactor = ratio * ratio;

    ConfigFile cloud = ConfigFile::Open(setup.ConfigDir, QStringLiteral("Cloud.txt"),
                                        QStringLiteral("Cloud Parameters"));
    for (double& c : setup.CloudCoef1) {
        c = cloud.Number();
    }
    for (double& c : setup.CloudCoef2) {
        c = cloud.Number();
    }
}

template <class Read> Result<void> Guarded(Read read) {
    try {
        read();
        return {};
    } catch (const FatalFileError& fault) {
        return fault.AsError();
    }
}

} // namespace

Result<void> ReadDirectories(StationSetup& setup) {
    return Guarded([&] { DirectoriesFrom(setup); });
}

Result<void> ReadNTable(const StationSetup& setup, Calibration& calibration) {
    return Guarded([&] { NTableFrom(setup, calibration); });
}

Result<void> ReadLampCorrections(const StationSetup& setup, Calibration& calibration,
                                 OperatorMessages& messages) {
    return Guarded([&] { LampCorrectionsFrom(setup, calibration, messages); });
}

Result<void> ReadInstrument(StationSetup& setup, Calibration& calibration,
                            OperatorMessages& messages) {
    return Guarded([&] { InstrumentFrom(setup, calibration, messages); });
}

Result<void> ReadStation(StationSetup& setup) {
    return Guarded([&] { StationFrom(setup); });
}

ArchiveSite ReadArchiveSite(const QString& configDir) {
    ArchiveSite site;
    site.url = QString::fromLatin1(kDefaultArchiveUrl);
    site.user = QString::fromLatin1(kDefaultArchiveUser);
    site.password = QString::fromLatin1(kDefaultArchivePassword);
    const QString path = ResolveFileName(configDir, QStringLiteral("CallHome.cfg"));
    if (!QFileInfo::exists(path)) {
        site.startComment = QStringLiteral("Using K5Sndr site");
        return site;
    }
    if (QFileInfo(path).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                         QFileDevice::WriteGroup | QFileDevice::WriteOther)) {
        site.warning = path +
                       QStringLiteral(" holds the archive password and other users of this "
                                      "computer can read it: chmod 600 ") +
                       path;
    }
    // A CallHome.cfg that is there but unusable is the station's own site
    // gone wrong: sending the day files elsewhere would be worse than not
    // sending them, so no transfer is tried and the operator is told.
    const Result<QString> read = ReadTextFile(path, kMaxConfigFileBytes);
    if (!read) {
        site.error = QStringLiteral("CallHome.cfg cannot be read (") + read.error().message +
                     QStringLiteral("): no files will be sent.");
        site.startComment = site.error;
        return site;
    }
    const QString& text = *read;
    ItemReader reader(text);
    if (const auto url = reader.Next()) {
        site.url = *url;
    }
    if (const auto user = reader.Next()) {
        site.user = *user;
    }
    if (const auto password = reader.Next()) {
        site.password = *password;
    }
    // An optional fourth item: the CA file for a TLS server whose
    // certificate the system does not trust, absolute or in the
    // configuration directory.
    if (const auto ca = reader.Next(); ca && !ca->trimmed().isEmpty()) {
        const QString named = ca->trimmed();
        site.caFile = QFileInfo(named).isAbsolute() ? named : ResolveFileName(configDir, named);
        const QFileInfo found(site.caFile);
        if (!found.isFile() || !found.isReadable()) {
            site.error = QStringLiteral("CallHome.cfg names the CA file ") + site.caFile +
                         QStringLiteral(", which cannot be read: no files will be sent.");
            site.startComment = site.error;
            return site;
        }
    }
    const QString scheme = site.url.trimmed().section(QStringLiteral("://"), 0, 0).toLower();
    if (!site.url.contains(QStringLiteral("://")) ||
        (scheme != QLatin1String("ftp") && scheme != QLatin1String("ftps") &&
         scheme != QLatin1String("ftpes"))) {
        site.error = QStringLiteral("CallHome.cfg names the archive site ") + site.url +
                     QStringLiteral(", which is not an ftp://, ftpes:// or ftps:// "
                                    "address: no files will be sent.");
        site.startComment = site.error;
        return site;
    }
    site.startComment = QStringLiteral("New Ftp Site Defined");
    return site;
}

Result<void> ReadConfiguration(StationSetup& setup, Calibration& calibration,
                               OperatorMessages& messages) {
    return Guarded([&] {
        DirectoriesFrom(setup);
        // What a kill in the middle of a rewrite left behind goes at the next
        // start; the files themselves were never touched by it.
        RemoveLeftoverTempFiles(setup.ConfigDir,
                                {QStringLiteral("inst.cfg"), QStringLiteral("instcfg.bak")});
        InstrumentFrom(setup, calibration, messages);
        StationFrom(setup);
    });
}

} // namespace quillon
