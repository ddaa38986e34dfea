// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtOptions.h"

namespace quillon {

namespace {
// As QGuiApplication and QApplication document them; each may be written
// with one dash or two, and a value also as -option=value.
const char* const kWithValue[] = {
    "platform",      "platformpluginpath", "platformtheme", "plugin",
    "qmljsdebugger", "qwindowgeometry",    "geometry",      "qwindowicon",
    "icon",          "qwindowtitle",       "title",         "display",
    "style",         "stylesheet",         "session",       "name",
    "visual"};
const char* const kFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QString OptionName(const QString& arg) {
    QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.section(u'=', 0, 0);
}

bool Listed(const QString& name, const char* const* first, const char* const* last) {
    return std::any_of(first, last, [&name](const char* n) { return name == QLatin1String(n); });
}
} // namespace

ProgramArguments WithoutQtOptions(const QStringList& arguments) {
    ProgramArguments out;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--")) {
            out.own << arguments.mid(i);
            break;
        }
        if (i == 0 || !arg.startsWith(u'-')) {
            out.own << arg;
            continue;
        }
        const QString name = OptionName(arg);
        if (Listed(name, std::begin(kFlags), std::end(kFlags))) {
            continue;
        }
        if (Listed(name, std::begin(kWithValue), std::end(kWithValue))) {
            if (!arg.contains(u'=')) {
                if (i + 1 >= arguments.size()) {
                    out.missingValue = arg;
                    return out;
                }
                ++i; // the value
            }
            continue;
        }
        out.own << arg;
    }
    return out;
}

QString QtOptionsHelp() {
    return QStringLiteral(
        "Qt's options, as every Qt program takes them:\n"
        "  -platform NAME[:OPTIONS]  the display system (xcb, wayland, offscreen, ...)\n"
        "  -style NAME               the widget style (fusion, windows, ...)\n"
        "  -stylesheet FILE          a style sheet for every screen\n"
        "  -geometry WxH+X+Y         the main window's size and place\n"
        "  -qwindowtitle TITLE       the main window's title\n"
        "  -display DISPLAY          the X display to use\n"
        "  -reverse                  right-to-left layout\n"
        "  and the others of QGuiApplication and QApplication (-platformtheme,\n"
        "  -plugin, -qwindowicon, -session, ...)\n");
}

} // namespace quillon
