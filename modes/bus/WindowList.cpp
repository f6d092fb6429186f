#include "modes/bus/WindowList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace pad {
namespace {

QString Json(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

std::string Utf8(const QJsonValue& value) {
    return value.toString().toStdString();
}

} // namespace

QByteArray WriteWindowList(const WindowList& list) {
    QJsonArray windows;
    for (const WindowInfo& window : list.windows) {
        QJsonObject item{{"app", Json(window.appId)},
                         {"instance", Json(window.instance)},
                         {"title", Json(window.title)},
                         {"executable", Json(window.executable)}};
        if (window.pid)
            item.insert("pid", qint64(*window.pid));
        windows.append(item);
    }
    const QJsonObject object{{"desktop", Json(list.status.desktop)},
                             {"follows", list.status.follows},
                             {"hint", Json(list.status.hint)},
                             {"failure", Json(list.failure)},
                             {"windows", windows}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<WindowList> ReadWindowList(const QByteArray& output) {
    const QJsonDocument document = QJsonDocument::fromJson(output);
    const QJsonObject object = document.object();
    if (!object.value("desktop").isString() || !object.value("follows").isBool() ||
        !object.value("windows").isArray())
        return std::nullopt;
    WindowList list{{Utf8(object.value("desktop")), object.value("follows").toBool(),
                     Utf8(object.value("hint"))},
                    {},
                    Utf8(object.value("failure"))};
    for (const QJsonValue& value : object.value("windows").toArray()) {
        const QJsonObject item = value.toObject();
        WindowInfo window{Utf8(item.value("app")), Utf8(item.value("instance")),
                          Utf8(item.value("title"))};
        window.executable = Utf8(item.value("executable"));
        if (const qint64 pid = item.value("pid").toInteger(); pid > 0)
            window.pid = pid;
        list.windows.push_back(std::move(window));
    }
    return list;
}

} // namespace pad
