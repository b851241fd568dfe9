// Lets a page of the site talk to the desktop when the desktop shows it: the desktop's browser
// offers the channel object "desktop", and sendToDesktop(text) hands it a text. Outside the
// desktop nothing is sent and sendToDesktop() answers false, so the page carries on by itself.
(function () {
    "use strict";
    var desktop = null;
    var waiting = [];

    function flush() {
        while (desktop && waiting.length)
            desktop.postMessage(waiting.shift());
    }

    window.insideDesktop = function () {
        return typeof qt !== "undefined" && !!qt.webChannelTransport && typeof QWebChannel !== "undefined";
    };

    // Texts sent before the channel is open wait for it.
    window.sendToDesktop = function (text) {
        if (!window.insideDesktop())
            return false;
        waiting.push(String(text));
        flush();
        return true;
    };

    if (window.insideDesktop()) {
        new QWebChannel(qt.webChannelTransport, function (channel) {
            desktop = channel.objects.desktop || null;
            flush();
        });
    }
})();
