// Tells the mode service padconfig-modes (org.padconfig.Modes on the session bus)
// which window has the focus and which windows are open, so that the Corvask 12
// keypad's mode follows the focused application on GNOME's Wayland session. It
// reports only while the service runs, and tells a service that starts all at once.
//
// A window's app id is its Wayland app id or X11 class (what other desktops report
// too); its instance is the X11 instance name, or for Wayland windows the desktop file
// that GNOME Shell matched it to, where that says more than the app id.

const ServiceName = 'org.padconfig.Modes';
const ObjectPath = '/org/padconfig/Modes';
const InterfaceName = 'org.padconfig.Modes1';

class FocusReporter {
    enable() {
        this._tracker = Shell.WindowTracker.get_default();
        this._windows = new Map(); // Meta.Window -> its signal ids
        this._owner = null;
        this._listSoon = 0;
        this._displaySignals = [
            global.display.connect('notify::focus-window', () => this._reportFocus()),
            global.display.connect('window-created', (display, window) => {
                this._watch(window);
                this._windowsChanged();
            }),
        ];
        for (const actor of global.get_window_actors())
            this._watch(actor.meta_window);
        this._nameWatch = Gio.bus_watch_name_on_connection(Gio.DBus.session, ServiceName,
            Gio.BusNameWatcherFlags.NONE,
            (connection, name, owner) => {
                this._owner = owner;
                this._reportWindows();
                this._reportFocus();
            },
            () => {
                this._owner = null;
            });
    }

    disable() {
        Gio.bus_unwatch_name(this._nameWatch);
        for (const id of this._displaySignals)
            global.display.disconnect(id);
        for (const [window, ids] of this._windows)
            ids.forEach(id => window.disconnect(id));
        if (this._listSoon)
            GLib.source_remove(this._listSoon);
        this._windows = null;
        this._tracker = null;
        this._owner = null;
    }

    _watch(window) {
        if (this._windows.has(window))
            return;
        const changed = () => {
            if (window === global.display.focus_window)
                this._reportFocus();
            this._windowsChanged();
        };
        const ids = [
            window.connect('notify::title', changed),
            window.connect('notify::wm-class', changed),
            window.connect('unmanaged', () => {
                ids.forEach(id => window.disconnect(id));
                this._windows.delete(window);
                this._windowsChanged();
            }),
        ];
        this._windows.set(window, ids);
    }

    _describe(window) {
        const appId = window.get_wm_class() ?? '';
        let instance = window.get_wm_class_instance() ?? '';
        if (!instance || instance === appId) {
            const app = this._tracker.get_window_app(window);
            const desktopId = app && !app.is_window_backed() ? app.get_id() ?? '' : '';
            instance = desktopId.replace(/\.desktop$/, '');
            if (instance === appId)
                instance = '';
        }
        const pid = window.get_pid();
        return [appId, instance, window.get_title() ?? '', pid > 0 ? pid : 0];
    }

    _listed(window) {
        const type = window.get_window_type();
        return !window.is_skip_taskbar() &&
            (type === Meta.WindowType.NORMAL || type === Meta.WindowType.DIALOG ||
             type === Meta.WindowType.MODAL_DIALOG);
    }

    _reportFocus() {
        const window = global.display.focus_window;
        this._call('ReportFocus', new GLib.Variant('(sssu)',
            window ? this._describe(window) : ['', '', '', 0]));
    }

    // A burst of changes (a window that opens sets its title and class) is one report.
    _windowsChanged() {
        if (this._listSoon)
            return;
        this._listSoon = GLib.idle_add(GLib.PRIORITY_DEFAULT_IDLE, () => {
            this._listSoon = 0;
            this._reportWindows();
            return GLib.SOURCE_REMOVE;
        });
    }

    _reportWindows() {
        const windows = [...this._windows.keys()].filter(window => this._listed(window))
            .map(window => {
                const [appId, instance, title, pid] = this._describe(window);
                return new GLib.Variant('av', [new GLib.Variant('s', appId),
                    new GLib.Variant('s', instance), new GLib.Variant('s', title),
                    new GLib.Variant('u', pid)]);
            });
        this._call('ReportWindows', new GLib.Variant('(av)', [windows]));
    }

    _call(method, parameters) {
        if (!this._owner)
            return;
        Gio.DBus.session.call(this._owner, ObjectPath, InterfaceName, method, parameters, null,
            Gio.DBusCallFlags.NO_AUTO_START, -1, null, (connection, result) => {
                try {
                    connection.call_finish(result);
                } catch (error) {
                    // The service stopped meanwhile: it is told all again when it is back.
                }
            });
    }
}
