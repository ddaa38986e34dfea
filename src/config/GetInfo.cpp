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

namespace {}

void ReadDirectories(SharedVars& vars) {
    ConfigFile file =
        ConfigFile::Open(vars.HomeDir, QStringLiteral("disc.cfg"), QStringLiteral("disk.cfg"));
    vars.ConfigDir = NormalizeDirectory(file.Text(), vars.HomeDir);
    vars.DataDir = NormalizeDirectory(file.Text(), vars.HomeDir);
    vars.HistoryDir = NormalizeDirectory(file.Text(), vars.HomeDir);
    // A configuration directory that is not there is disc.cfg's fault, and
    // the box says so rather than blaming the first file looked for in it.
    if (!QFileInfo(vars.ConfigDir).isDir()) {
        throw FatalFileError(kErrPathNotFound, vars.HomeDir, QStringLiteral("disk.cfg"),
                             QStringLiteral("Path not found: item 1 names the directory ") +
                                 vars.ConfigDir + QStringLiteral(", which does not exist"));
    }
    const std::optional<QString> port = file.OptionalText();
    vars.EncoderPort = port ? port->trimmed() : QString();
    vars.EncoderInUse = !vars.EncoderPort.isEmpty();
}

void ReadNTable(SharedVars& vars) {
    ConfigFile table =
        ConfigFile::Open(vars.ConfigDir, QStringLiteral("ntable.") + vars.InstrumentId,
                         QStringLiteral("Ntable.") + vars.InstrumentId);
    vars.NTableDate = table.Text();
    for (auto& row : vars.NTable) {
        for (double& value : row) {
            value = table.Number();
        }
    }
}

void ReadLampCorrections(SharedVars& vars, OperatorMessages& messages) {
    const QString lampName = QStringLiteral("lampcorr.") + vars.InstrumentId;
    const QString lampPath = ResolveFileName(vars.ConfigDir, lampName);
    QString text;
    FileError error;
    if (!ReadTextFile(lampPath, &text, &error, kMaxConfigFileBytes)) {
        if (error.number != kErrFileNotFound) {
            throw FatalFileError(error.number, vars.ConfigDir,
                                 QStringLiteral("LampCorrections file "), error.description);
        }
        messages.Show(QStringLiteral("LAMPCORR.") + vars.InstrumentId +
                          QStringLiteral(" Not Found in ") + u'\n' + vars.ConfigDir + u'\n' +
                          QStringLiteral("Corrections of 0.0 will be used."),
                      QStringLiteral("Lamp Adjustments not Found."));
        vars.LampCorr = {0, 0, 0, 0};
        vars.LampCorrDate = QStringLiteral("None");
        vars.LampCorrLamp = QStringLiteral("None");
        vars.FileErr = 0;
    } else {
        ConfigFile lamp(text, vars.ConfigDir, QStringLiteral("LampCorrections file "));
        vars.LampCorrDate = lamp.Text();
        vars.LampCorrLamp = lamp.Text();
        for (double& value : vars.LampCorr) {
            value = lamp.Number();
        }
    }
}

void ReadInstrument(SharedVars& vars, OperatorMessages& messages) {
    {
        ConfigFile inst = ConfigFile::Open(vars.ConfigDir, QStringLiteral("inst.cfg"),
                                           QStringLiteral("INST.CFG"));
        // The instrument's number names its files: a whole number, never
        // a negative one or one beyond any instrument ever built.
        vars.InstrumentNumber = inst.WholeNumber(1, 999);
        vars.InstrumentId = InstrumentIdFor(vars.InstrumentNumber);
        vars.TempCoeff = inst.Number();
        vars.Q15A = inst.Number();
        vars.Q15C = inst.Number();
        vars.Q15D = inst.Number();
        vars.Q15Hg = inst.Number();
        vars.QTableDate = inst.WholeText();
        vars.LastHgTest = inst.OptionalTestDate();
        vars.LastStdTest = inst.OptionalTestDate();
    }
    ReadNTable(vars);
    ReadLampCorrections(vars, messages);
    // A station that never recorded its standard lamp test in inst.cfg still
    // knows it from the corrections that test produced.
    if (vars.LampCorrDate != QLatin1String("None") &&
        vars.LastStdTest == QLatin1String("UNKNOWN")) {
        vars.LastStdTest = vars.LampCorrDate;
    }
}

void ReadStation(SharedVars& vars) {
    {
        ConfigFile station = ConfigFile::Open(vars.ConfigDir, QStringLiteral("station.cfg"),
                                              QStringLiteral("STATION.CFG"));
        vars.EarthRadius = station.Number();
        vars.Longitude = station.Number();
        vars.Latitude = station.Number();
        vars.UtcOffsetHours = station.Single();
        vars.MeanPressure = station.Number();
        vars.Altitude = station.Number();
        vars.OzoneLayerHeight = station.Number();
        vars.WmoNumber = station.Integer16();
        vars.StationName = station.Text();
        vars.StationCode = station.Text();
    }
    vars.LongitudeRad = vars.Longitude * kPi / 180.0;
    vars.LatitudeRad = vars.Latitude * kPi / 180.0;
    vars.PressureRatio = static_cast<float>(vars.MeanPressure) / 1013.0f;
    const double ratio =
        (vars.Altitude + vars.EarthRadius) / (vars.OzoneLayerHeight + vars.EarthRadius);
    vars.LayerFactor = ratio * ratio;

    ConfigFile cloud = ConfigFile::Open(vars.ConfigDir, QStringLiteral("Cloud.txt"),
                                        QStringLiteral("Cloud Parameters"));
    for (double& c : vars.CloudCoef1) {
        c = cloud.Number();
    }
    for (double& c : vars.CloudCoef2) {
        c = cloud.Number();
    }
}

void ReadArchiveSite(SharedVars& vars) {
    vars.ArchiveUrl = QString::fromLatin1(kDefaultArchiveUrl);
    vars.ArchiveUser = QString::fromLatin1(kDefaultArchiveUser);
    vars.ArchivePassword = QString::fromLatin1(kDefaultArchivePassword);
    vars.ArchiveSiteError.clear();
    vars.ArchiveSiteWarning.clear();
    const QString path = ResolveFileName(vars.ConfigDir, QStringLiteral("CallHome.cfg"));
    if (!QFileInfo::exists(path)) {
        vars.CommentText = QStringLiteral("Using K5Sndr site");
        return;
    }
    if (QFileInfo(path).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                         QFileDevice::WriteGroup | QFileDevice::WriteOther)) {
        vars.ArchiveSiteWarning =
            path +
            QStringLiteral(" holds the archive password and other users of this "
                           "computer can read it: chmod 600 ") +
            path;
    }
    // A CallHome.cfg that is there but unusable is the station's own site
    // gone wrong: sending the day files elsewhere would be worse than not
    // sending them, so no transfer is tried and the operator is told.
    QString text;
    FileError error;
    if (!ReadTextFile(path, &text, &error, kMaxConfigFileBytes)) {
        vars.ArchiveSiteError = QStringLiteral("CallHome.cfg cannot be read (") +
                                error.description + QStringLiteral("): no files will be sent.");
        vars.CommentText = vars.ArchiveSiteError;
        return;
    }
    ItemReader reader(text);
    if (const auto url = reader.Next()) {
        vars.ArchiveUrl = *url;
    }
    if (const auto user = reader.Next()) {
        vars.ArchiveUser = *user;
    }
    if (const auto password = reader.Next()) {
        vars.ArchivePassword = *password;
    }
    const QString scheme = vars.ArchiveUrl.trimmed().section(QStringLiteral("://"), 0, 0).toLower();
    if (!vars.ArchiveUrl.contains(QStringLiteral("://")) ||
        (scheme != QLatin1String("ftp") && scheme != QLatin1String("ftps") &&
         scheme != QLatin1String("ftpes"))) {
        vars.ArchiveSiteError = QStringLiteral("CallHome.cfg names the archive site ") +
                                vars.ArchiveUrl +
                                QStringLiteral(", which is not an ftp://, ftpes:// or ftps:// "
                                               "address: no files will be sent.");
        vars.CommentText = vars.ArchiveSiteError;
        return;
    }
    vars.CommentText = QStringLiteral("New Ftp Site Defined");
}

void ReadConfiguration(SharedVars& vars, OperatorMessages& messages) {
    ReadDirectories(vars);
    // What a kill in the middle of a rewrite left behind goes at the next
    // start; the files themselves were never touched by it.
    RemoveLeftoverTempFiles(vars.ConfigDir,
                            {QStringLiteral("inst.cfg"), QStringLiteral("instcfg.bak")});
    ReadInstrument(vars, messages);
    ReadStation(vars);
    ReadArchiveSite(vars);
}

} // namespace quillon
