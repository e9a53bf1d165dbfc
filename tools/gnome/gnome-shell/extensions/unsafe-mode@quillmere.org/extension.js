import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

// Unsafe mode for the tests' questions, and the desktop as a user works on it: past the overview shown at login.
export default class UnsafeMode extends Extension {
    enable() {
        global.context.unsafe_mode = true;
        if (Main.layoutManager._startingUp) {
            this._startup = Main.layoutManager.connect('startup-complete', () => Main.overview.hide());
        } else {
            Main.overview.hide();
        }
    }

    disable() {
        if (this._startup) {
            Main.layoutManager.disconnect(this._startup);
            this._startup = null;
        }
        global.context.unsafe_mode = false;
    }
}
