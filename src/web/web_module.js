// SPDX-License-Identifier: GPL-3.0-or-later
// The backup store: the module's /data kept in the browser's IndexedDB. Until it is mounted (in
// node, or before the page asks) /data lives in memory, made by the first backup.
Module['mountBackups'] = function () {
  return new Promise(function (resolve, reject) {
    try {
      try { FS.mkdir('/data'); } catch (e) { /* already there */ }
      FS.mount(IDBFS, {}, '/data');
    } catch (e) {
      reject(e);
      return;
    }
    FS.syncfs(true, function (error) { if (error) reject(error); else resolve(); });
  });
};

Module['syncBackups'] = function () {
  return new Promise(function (resolve, reject) {
    FS.syncfs(false, function (error) { if (error) reject(error); else resolve(); });
  });
};
