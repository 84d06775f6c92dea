// Runs before any script of every document the map view loads: offers the host object
// "sample" (chrome.webview.hostObjects.sync.sample), whose calls reach the viewer
// synchronously, and the "message" listeners through which the viewer posts to the page.
(function () {
  "use strict";
  if (window.chrome && window.chrome.webview && window.chrome.webview.__quorva) return;

  function call(name, args) {
    var xhr = new XMLHttpRequest();
    xhr.open("GET", "quorva://map/host/" + name + "?a=" +
             encodeURIComponent(JSON.stringify(args)), false);
    xhr.send(null);
    if (!xhr.responseText) throw new Error("host call " + name + " failed");
    return JSON.parse(xhr.responseText)[0];
  }

  var names = ["TestMethod", "JS2C_ConnectTest", "JS2C_GetMapURL", "JS2C_GetGPSData",
               "JS2C_GetGridData", "JS2C_GetRelJpgNum", "JS2C_OnClickCrashPoint",
               "JS2C_OnInitHtml", "JS2C_SetSend"];
  var sample = {
    // Calls the function later, with no arguments.
    CallCallbackAsynchronously: function (callback) {
      setTimeout(function () { callback(); }, 0);
    }
  };
  names.forEach(function (name) {
    sample[name] = function () {
      return call(name, Array.prototype.slice.call(arguments));
    };
  });

  var listeners = [];
  var webview = {
    __quorva: true,
    hostObjects: { sync: { sample: sample } },
    addEventListener: function (type, listener) {
      if (type === "message" && typeof listener === "function") listeners.push(listener);
    },
    removeEventListener: function (type, listener) {
      var at = listeners.indexOf(listener);
      if (type === "message" && at >= 0) listeners.splice(at, 1);
    },
    // A message to the viewer (flat object of string members).
    postMessage: function (message) {
      call("__postMessage", [JSON.stringify(message)]);
    },
    // The viewer's messages arrive here.
    __dispatch: function (data) {
      listeners.slice().forEach(function (listener) {
        try { listener({ data: data }); } catch (e) { /* a listener's fault stays there */ }
      });
    }
  };
  window.chrome = window.chrome || {};
  window.chrome.webview = webview;
})();
