// La Vortila in a web page. The engine (vortila.js and vortila.wasm) plays the game; this
// script hands it the keys of the command box, paints what it shows after each key, and
// keeps the player's files in the browser's storage, where they outlive the page.
'use strict';

(() => {
  const ROWS = 25;
  // The key codes the engine's key handlers know; every other key is OTHER.
  const KEY_CODES = { Enter: 13, End: 35, ArrowUp: 38, ArrowDown: 40 };
  const ENTER = 13;
  const OTHER = 0;
  const PAGE_PROMPT = '(premi INVIO)';
  // The folders of the engine's file system: the game's data, fetched from the site at every
  // start, and the player's folder, kept in IndexedDB. The engine seeds the player's folder
  // with the data's iniziale.ini when it has none.
  const DATA_FOLDER = '/dati';
  const PLAYER_FOLDER = '/giocatore';
  const DATA_FILES = ['000.pkd', '010.pkd', 'iniziale.ini'];
  const DATA_URL = 'data/';
  // The player's own files, which the page offers for download.
  const PLAYER_FILE = /^(?:[^/]+\.sav|Debug\.txt)$/;

  const MESSAGES = {
    fromFile:
      'La Vortila non può partire da una pagina aperta come file: il browser non permette di ' +
      'caricare il gioco da qui. Metti la cartella del sito su un server web (anche solo sul ' +
      'tuo computer, per esempio con «./play --web») e apri l’indirizzo che ti indica.',
    noWebAssembly:
      'Questo browser non sa eseguire WebAssembly, che serve al gioco. Aggiornalo, oppure ' +
      'apri la pagina con un browser recente.',
    notLoaded:
      'Non riesco a scaricare i file del gioco dal sito. Controlla la connessione e ricarica ' +
      'la pagina.',
    noStorage:
      'Il browser non concede spazio per conservare i file del gioco: puoi giocare, ma le ' +
      'partite salvate andranno perse quando chiudi la pagina. Scaricale sul tuo computer ' +
      'per tenerle.',
    notKept:
      'Non sono riuscito a conservare i file nel browser: lo spazio è esaurito o non è ' +
      'concesso. Le partite salvate prima restano come erano; quella di ora vale solo finché ' +
      'la pagina resta aperta, perciò scaricala sul tuo computer per non perderla.',
    ended: 'La partita è finita. Per giocare ancora, ricarica la pagina.',
    download: (name) => `Scarica ${name}`,
    pictureAlt: (name) => `Immagine ${name}`,
  };

  const $ = (id) => document.getElementById(id);
  const notice = $('avviso');
  const screen = $('Schermo');
  const input = $('TextInput');
  const form = $('comando');
  const status = $('stato');
  const picture = $('immagine');
  const inventory = $('Inventarietto');
  const fileList = $('elenco-file');
  const noFiles = $('nessun-file');

  let engine = null;
  let storageWorks = false;
  let shownPicture = '';
  let listedFiles = '';

  function tell(message) {
    notice.textContent = message;
    notice.hidden = false;
  }

  // The engine's functions, with the C strings read as JavaScript strings.
  function bindEngine(module) {
    const text = (name, args = []) => module.cwrap(name, 'string', args);
    return {
      FS: module.FS,
      start: module.cwrap('vortila_start', 'boolean', ['string', 'string']),
      pressKey: module.cwrap('vortila_press_key', null, ['number']),
      close: module.cwrap('vortila_close', null, []),
      command: text('vortila_command'),
      setCommand: module.cwrap('vortila_set_command', null, ['string']),
      scrolledRows: module.cwrap('vortila_scrolled_rows', 'number', []),
      row: text('vortila_row', ['number']),
      inventory: text('vortila_inventory'),
      picture: text('vortila_picture'),
      ended: module.cwrap('vortila_ended', 'boolean', []),
      problem: text('vortila_problem'),
    };
  }

  async function fetchDataFile(name) {
    const response = await fetch(DATA_URL + name);
    if (!response.ok) throw new Error(`${name}: ${response.status}`);
    return new Uint8Array(await response.arrayBuffer());
  }

  async function fetchData() {
    const contents = await Promise.all(DATA_FILES.map(fetchDataFile));
    return new Map(DATA_FILES.map((name, i) => [name, contents[i]]));
  }

  // Mounts the folder on IndexedDB and reads back what an earlier visit kept there. Where
  // the browser refuses its storage, the folder still works, in memory only.
  function openStorage(FS) {
    FS.mkdir(PLAYER_FOLDER);
    try {
      FS.mount(FS.filesystems.IDBFS, {}, PLAYER_FOLDER);
    } catch (error) {
      return Promise.resolve(false);
    }
    return new Promise((resolve) => FS.syncfs(true, (error) => resolve(!error)));
  }

  function writeData(FS, data) {
    FS.mkdir(DATA_FOLDER);
    for (const [name, contents] of data) FS.writeFile(`${DATA_FOLDER}/${name}`, contents);
  }

  // Writes the folder's changes to IndexedDB. A sync asked for while one runs follows it, so
  // that the last state is always the one kept. A failed sync leaves IndexedDB as it was.
  const keeper = { running: false, again: false };
  function keepFiles() {
    if (!storageWorks) return;
    if (keeper.running) {
      keeper.again = true;
      return;
    }
    keeper.running = true;
    engine.FS.syncfs(false, (error) => {
      keeper.running = false;
      if (error) tell(MESSAGES.notKept);
      if (keeper.again) {
        keeper.again = false;
        keepFiles();
      }
    });
  }

  function newRow(text) {
    const row = document.createElement('div');
    row.className = 'riga';
    row.textContent = text;
    return row;
  }

  // Rows that scrolled up leave at the top and the new ones are added at the bottom, so that
  // a screen reader hears only the new lines; a row whose text changed in place (the bottom
  // one, continued) is replaced for the same reason.
  function paintRows() {
    const scrolled = Math.min(engine.scrolledRows(), ROWS);
    const added = [];
    for (let row = ROWS - scrolled; row < ROWS; row++) added.push(newRow(engine.row(row)));
    for (let i = 0; i < scrolled; i++) screen.firstElementChild.remove();
    screen.append(...added);
    const rows = screen.children;
    for (let row = 0; row < ROWS; row++) {
      const text = engine.row(row);
      if (rows[row].textContent !== text) rows[row].replaceWith(newRow(text));
    }
    screen.scrollTop = screen.scrollHeight;
  }

  function paintPicture() {
    const name = engine.picture();
    if (name === shownPicture) return;
    shownPicture = name;
    picture.alt = MESSAGES.pictureAlt(name);
    picture.src = DATA_URL + encodeURIComponent(name);
  }

  function paint() {
    paintRows();
    const command = engine.command();
    if (input.value !== command) input.value = command;
    status.textContent = command === PAGE_PROMPT ? PAGE_PROMPT : '';
    // One carried object a line, each ended by a carriage return.
    inventory.textContent = engine.inventory().replace(/\r$/, '').replace(/\r/g, '\n');
    paintPicture();
    if (engine.ended()) finish();
  }

  function finish() {
    input.disabled = true;
    const problem = engine.problem();
    tell(problem ? `${problem} ${MESSAGES.ended}` : MESSAGES.ended);
  }

  // Every key goes to the key-down handler, and Enter on to the key-press handler, as in the
  // game's window. The box's text is handed over first, since the engine reads it on Enter.
  function press(keyCode) {
    if (engine.ended()) return;
    engine.setCommand(input.value);
    engine.pressKey(keyCode);
    paint();
    if (keyCode === ENTER) listFiles();
  }

  function playerFiles() {
    return engine.FS.readdir(PLAYER_FOLDER)
      .filter((name) => PLAYER_FILE.test(name))
      .map((name) => ({ name, stat: engine.FS.stat(`${PLAYER_FOLDER}/${name}`) }))
      .sort((a, b) => a.name.localeCompare(b.name, 'it'));
  }

  // After a key that may have written a file: the list of files is refreshed and the
  // folder kept, both only when a file has changed.
  function listFiles() {
    const files = playerFiles();
    const listing = files.map((f) => `${f.name} ${f.stat.size} ${f.stat.mtime.getTime()}`).join();
    if (listing === listedFiles) return;
    listedFiles = listing;
    fileList.replaceChildren(
      ...files.map(({ name }) => {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = MESSAGES.download(name);
        button.addEventListener('click', () => download(name));
        const item = document.createElement('li');
        item.append(button);
        return item;
      }),
    );
    noFiles.hidden = files.length > 0;
    keepFiles();
  }

  // The file exactly as the game wrote it, so that a saved game moves to the desktop game.
  function download(name) {
    const bytes = engine.FS.readFile(`${PLAYER_FOLDER}/${name}`);
    const type = name.endsWith('.txt') ? 'text/plain;charset=utf-8' : 'application/octet-stream';
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
    input.focus();
  }

  function onKeyDown(event) {
    if (event.isComposing || event.keyCode === 229) return;
    const keyCode = KEY_CODES[event.key] ?? OTHER;
    press(keyCode);
    // Up and Down belong to the history and Enter to the game; End also moves the caret.
    if (keyCode !== OTHER && event.key !== 'End') event.preventDefault();
  }

  // The keys belong to the command box: a click anywhere else, unless it selects text to
  // copy or lands on a control of its own, gives the box the focus back.
  function keepFocus() {
    document.addEventListener('click', (event) => {
      if (input.disabled || event.target.closest('button, a, input, summary, label')) return;
      if (String(window.getSelection())) return;
      input.focus();
    });
    document.addEventListener('keydown', (event) => {
      if (document.activeElement === document.body && !input.disabled) input.focus();
    });
  }

  function listen() {
    input.addEventListener('keydown', onKeyDown);
    // Enter from a keyboard that reports no key (some phones) arrives as the form's submit.
    form.addEventListener('submit', (event) => {
      event.preventDefault();
      press(ENTER);
    });
    picture.addEventListener('load', () => (picture.hidden = false));
    // A picture that cannot be had leaves the pane empty, as in the window.
    picture.addEventListener('error', () => (picture.hidden = true));
    keepFocus();
  }

  // Opening IndexedDB the first time in a profile takes as long as loading the engine; begun
  // here, it runs meanwhile. The connection is closed at once, so that IDBFS can open the
  // database later at the version it wants.
  function warmUpStorage() {
    try {
      const request = indexedDB.open(PLAYER_FOLDER);
      request.onsuccess = () => request.result.close();
    } catch (error) {
      // Storage refused: openStorage will find out and say so.
    }
  }

  async function start() {
    if (location.protocol === 'file:') return tell(MESSAGES.fromFile);
    if (typeof WebAssembly !== 'object' || typeof createVortila !== 'function') {
      return tell(typeof WebAssembly === 'object' ? MESSAGES.notLoaded : MESSAGES.noWebAssembly);
    }
    warmUpStorage();
    let module;
    let data;
    try {
      [module, data] = await Promise.all([createVortila(), fetchData()]);
    } catch (error) {
      return tell(MESSAGES.notLoaded);
    }
    engine = bindEngine(module);
    storageWorks = await openStorage(engine.FS);
    if (!storageWorks) tell(MESSAGES.noStorage);
    writeData(engine.FS, data);

    for (let row = 0; row < ROWS; row++) screen.append(newRow(''));
    if (!engine.start(DATA_FOLDER, PLAYER_FOLDER)) return tell(engine.problem());
    listen();
    paint();
    listFiles();
    input.disabled = false;
    input.focus();
    // For the measurements: how long the first page took from the navigation.
    performance.mark('vortila-prima-pagina');
  }

  start();
})();
