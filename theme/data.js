// The theme page's only script: once the page has loaded it tells the program, which then
// writes the record into the body.
(function () {
  "use strict";
  function initialize() {
    if (typeof QWebChannel === "undefined" || typeof qt === "undefined" || !qt.webChannelTransport) {
      return;
    }
    new QWebChannel(qt.webChannelTransport, function (channel) {
      var external = channel.objects.external;
      if (external && typeof external.OnInitialize === "function") external.OnInitialize();
    });
  }
  if (document.readyState === "loading") {
    document.addEventListener("DOMContentLoaded", initialize);
  } else {
    initialize();
  }
})();
