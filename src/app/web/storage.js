// The player's files in the browser's storage: an IndexedDB database of the site that holds
// each file of the player's folder, its bytes and its time, under its name.
//
// Files are only ever added or replaced, never deleted: the game deletes none of the
// player's files, and a page open in a second tab, which does not know what the first one
// saved since, can then never take away a game saved there.
'use strict';

// Resolves to the player's storage, or to null where the browser refuses it.
function openPlayerStorage() {
  const DATABASE = 'la-vortila';
  const FILES = 'file';

  // A request's outcome as a promise.
  const settled = (request) =>
    new Promise((resolve, reject) => {
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });

  class PlayerStorage {
    constructor(database) {
      this.database = database;
    }

    // Every file kept: a list of { name, bytes, time } with the time in milliseconds.
    readAll() {
      const files = this.database.transaction(FILES).objectStore(FILES);
      return settled(files.getAll());
    }

    // Keeps the files given, all or, when any cannot be written, none: a storage that is
    // full keeps what it had.
    write(files) {
      return new Promise((resolve, reject) => {
        const transaction = this.database.transaction(FILES, 'readwrite');
        transaction.oncomplete = () => resolve();
        transaction.onabort = () => reject(transaction.error);
        try {
          for (const file of files) transaction.objectStore(FILES).put(file);
        } catch (error) {
          transaction.abort();
          reject(error);
        }
      });
    }
  }

  try {
    const request = indexedDB.open(DATABASE, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(FILES, { keyPath: 'name' });
    return settled(request).then(
      (database) => new PlayerStorage(database),
      () => null,
    );
  } catch (error) {
    return Promise.resolve(null);
  }
}
