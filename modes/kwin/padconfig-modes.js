// padconfig-modes' KWin script: tells the mode service (org.padconfig.Modes) which
// window KWin activated and which windows are open, so that the Corvask 12 keypad's
// mode follows the focused application on KDE Plasma's Wayland session. The service
// loads it over the session bus when it starts and unloads it when it stops.
// KWin 5.27 calls windows clients (clientActivated, clientList); KWin 6 calls them
// windows (windowActivated, windowList): the script takes whichever exists.

var service = "org.padconfig.Modes";
var path = "/org/padconfig/Modes";
var iface = "org.padconfig.Modes1";

var activated = workspace.windowActivated || workspace.clientActivated;
var added = workspace.windowAdded || workspace.clientAdded;
var removed = workspace.windowRemoved || workspace.clientRemoved;

// As a plain array: KWin 5.27 hands over a list type of its own.
function allWindows() {
    var list = workspace.windowList ? workspace.windowList() : workspace.clientList();
    var windows = [];
    for (var i = 0; i < list.length; ++i)
        windows.push(list[i]);
    return windows;
}

function activeWindow() {
    return workspace.activeWindow !== undefined ? workspace.activeWindow : workspace.activeClient;
}

function text(value) {
    return value === undefined || value === null ? "" : String(value);
}

// [class, name, caption, pid]; the pid as a whole number, which reaches the bus as int32.
function describe(window) {
    var pid = Number(window.pid);
    return [text(window.resourceClass), text(window.resourceName), text(window.caption),
            pid > 0 && pid <= 0x7fffffff ? pid | 0 : 0];
}

// The windows a user switches between: no panels, no desktop, no pop-up menus.
function listed(window) {
    return (window.normalWindow || window.dialog) && !window.skipTaskbar;
}

function reportFocus(window) {
    var facts = window ? describe(window) : ["", "", "", 0];
    callDBus(service, path, iface, "ReportFocus", facts[0], facts[1], facts[2], facts[3]);
}

function reportWindows() {
    var windows = allWindows().filter(listed).map(describe);
    callDBus(service, path, iface, "ReportWindows", windows);
}

// A new caption or class of the active window is a new focus for the rules.
function watch(window) {
    var changed = function () {
        if (window === activeWindow())
            reportFocus(window);
        if (listed(window))
            reportWindows();
    };
    window.captionChanged.connect(changed);
    if (window.windowClassChanged)
        window.windowClassChanged.connect(changed);
}

activated.connect(reportFocus);
added.connect(function (window) {
    watch(window);
    reportWindows();
});
removed.connect(reportWindows);
allWindows().forEach(watch);
reportWindows();
reportFocus(activeWindow());
