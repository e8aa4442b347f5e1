// La Vortila in a web page. The engine (vortila.js and vortila.wasm) plays the game; this
// script hands it the keys of the command box, paints what it shows after each key, and
// keeps the player's files in the browser's storage (storage.js), where they outlive the
// page.
'use strict';

(() => {
  const ROWS = 25;
  // The story scrolls back this far; older lines are let go.
  const SCROLLBACK = 10000;
  // The key codes the engine's key handlers know; every other key is OTHER.
  const KEY_CODES = { Enter: 13, End: 35, ArrowUp: 38, ArrowDown: 40 };
  const ENTER = 13;
  const OTHER = 0;
  const PAGE_PROMPT = '(premi INVIO)';
  // The folders of the engine's file system: the game's data, fetched from the site at every
  // start, and the player's folder, whose files are kept in the browser's storage and put
  // back at the next visit. The engine seeds the player's folder with the data's
  // iniziale.ini when it has none.
  const DATA_FOLDER = '/dati';
  const PLAYER_FOLDER = '/giocatore';
  // A saved game chosen on the player's computer, loaded from here and not kept.
  const CHOSEN_FOLDER = '/scelti';
  const DATA_URL = 'data/';
  const DATA_FILES = ['000.pkd', '010.pkd', 'iniziale.ini'];
  // Without it the pictures have no description, as in the other front ends.
  const OPTIONAL_DATA_FILES = ['descrizioni.txt'];
  // More than the largest saved game the engine reads: a larger file is cut here, and the
  // engine then turns it away as the desktop game does, without the page reading all of it.
  const LARGEST_CHOSEN_FILE = 2 * 1024 * 1024;
  // The player's files that the page offers for download.
  const DOWNLOADS = /^(?:.+\.sav|Debug\.txt)$/;

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
    notInterrupted:
      'Non riesco a scrivere il file ripresa.sav: se chiudi la pagina, la partita in corso ' +
      'non sarà conservata.',
    ended: 'La partita è finita. Per giocare ancora, ricarica la pagina.',
    download: (name) => `Scarica ${name}`,
    pictureAlt: (name) => `Immagine ${name}`,
  };

  const $ = (id) => document.getElementById(id);
  const notice = $('avviso');
  const screen = $('Schermo');
  const rows = $('righe');
  const input = $('TextInput');
  const form = $('comando');
  const status = $('stato');
  const picture = $('immagine');
  const inventory = $('Inventarietto');
  const fileList = $('elenco-file');
  const noFiles = $('nessun-file');
  const resume = $('riprendi');
  const chooseFile = $('carica-file');
  const chosenFile = $('scelta-file');

  let engine = null;
  // The player's storage (storage.js), null where the browser refuses it.
  let storage = null;
  // The version of each file that the storage holds, and the write under way.
  const keptFiles = new Map();
  let keeping = Promise.resolve();
  let shownPicture = '';
  let listedFiles = '';

  function tell(message) {
    notice.textContent = message;
    notice.hidden = false;
  }

  // The engine's functions, with the C strings read as JavaScript strings.
  function bindEngine(module) {
    const call = (name, result = null, args = []) => module.cwrap(name, result, args);
    const text = (name, args = []) => call(name, 'string', args);
    return {
      FS: module.FS,
      start: call('vortila_start', 'boolean', ['string', 'string']),
      pressKey: call('vortila_press_key', null, ['number']),
      undo: call('vortila_undo'),
      loadFrom: call('vortila_load_from', null, ['string']),
      canResume: call('vortila_can_resume', 'boolean'),
      resume: call('vortila_resume'),
      keepInterrupted: call('vortila_keep_interrupted', 'boolean'),
      command: text('vortila_command'),
      setCommand: call('vortila_set_command', null, ['string']),
      scrolledRows: call('vortila_scrolled_rows', 'number'),
      row: text('vortila_row', ['number']),
      inventory: text('vortila_inventory'),
      picture: text('vortila_picture'),
      pictureDescription: text('vortila_picture_description'),
      ended: call('vortila_ended', 'boolean'),
      problem: text('vortila_problem'),
    };
  }

  // A data file's contents, or null for an optional one the site does not have.
  async function fetchDataFile(name) {
    const response = await fetch(DATA_URL + name);
    if (response.status === 404 && OPTIONAL_DATA_FILES.includes(name)) return null;
    if (!response.ok) throw new Error(`${name}: ${response.status}`);
    return new Uint8Array(await response.arrayBuffer());
  }

  async function fetchData() {
    const names = [...DATA_FILES, ...OPTIONAL_DATA_FILES];
    const contents = await Promise.all(names.map(fetchDataFile));
    return new Map(names.map((name, i) => [name, contents[i]]));
  }

  function writeData(FS, data) {
    FS.mkdir(DATA_FOLDER);
    for (const [name, contents] of data) {
      if (contents) FS.writeFile(`${DATA_FOLDER}/${name}`, contents);
    }
  }

  // What tells a version of a file from another.
  const signature = (stat) => `${stat.size} ${stat.mtime.getTime()}`;

  // The files in the player's folder (none of its folders), in the order of their names.
  function playerFiles() {
    return engine.FS.readdir(PLAYER_FOLDER)
      .map((name) => ({ name, stat: engine.FS.stat(`${PLAYER_FOLDER}/${name}`) }))
      .filter(({ stat }) => engine.FS.isFile(stat.mode))
      .sort((a, b) => a.name.localeCompare(b.name, 'it'));
  }

  // Puts back in the player's folder what an earlier visit kept.
  async function restoreFiles(FS) {
    FS.mkdir(PLAYER_FOLDER);
    if (!storage) return;
    for (const { name, bytes, time } of await storage.readAll()) {
      const path = `${PLAYER_FOLDER}/${name}`;
      FS.writeFile(path, bytes);
      FS.utime(path, time, time);
      keptFiles.set(name, signature(FS.stat(path)));
    }
  }

  // Writes the files of the player's folder that changed since they were last kept. A write
  // asked for while one runs follows it, so that the last version is always the one kept.
  function keepFiles() {
    if (!storage) return;
    keeping = keeping.then(async () => {
      const changed = playerFiles().filter(({ name, stat }) => keptFiles.get(name) !== signature(stat));
      if (!changed.length) return;
      const files = changed.map(({ name, stat }) => ({
        name,
        bytes: engine.FS.readFile(`${PLAYER_FOLDER}/${name}`),
        time: stat.mtime.getTime(),
      }));
      try {
        await storage.write(files);
      } catch (error) {
        tell(MESSAGES.notKept);
        return;
      }
      for (const { name, stat } of changed) keptFiles.set(name, signature(stat));
      if (notice.textContent === MESSAGES.notKept) notice.hidden = true;
      // Asked once a game is saved, so that the browser does not clear the site's storage
      // to make room; some browsers ask the player.
      if (files.some(({ name }) => name.endsWith('.sav')) && navigator.storage?.persist) {
        navigator.storage.persist();
      }
    });
  }

  // The list of the player's files and the button that resumes an interrupted game follow
  // the folder; a file that changed is kept.
  function listFiles() {
    resume.hidden = !engine.canResume();
    const files = playerFiles();
    const listing = files.map(({ name, stat }) => `${name} ${signature(stat)}`).join('/');
    if (listing === listedFiles) return;
    listedFiles = listing;
    const offered = files.filter(({ name }) => DOWNLOADS.test(name));
    fileList.replaceChildren(
      ...offered.map(({ name }) => {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = MESSAGES.download(name);
        button.addEventListener('click', () => download(name));
        const item = document.createElement('li');
        item.append(button);
        return item;
      }),
    );
    noFiles.hidden = offered.length > 0;
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

  function newRow(text) {
    const row = document.createElement('div');
    row.className = 'riga';
    row.textContent = text;
    return row;
  }

  // The last 25 lines are the game's screen; the lines above them are the story scrolled
  // back. Rows that scrolled up stay where they are and the new ones are added below, so
  // that a screen reader hears only the new lines; a row whose text changed in place (the
  // bottom one, continued) is replaced for the same reason.
  function paintRows() {
    const scrolled = Math.min(engine.scrolledRows(), ROWS);
    const added = [];
    for (let row = ROWS - scrolled; row < ROWS; row++) added.push(newRow(engine.row(row)));
    rows.append(...added);
    while (rows.childElementCount > SCROLLBACK) rows.firstElementChild.remove();
    const shown = rows.children;
    const first = shown.length - ROWS;
    for (let row = 0; row < ROWS; row++) {
      const text = engine.row(row);
      if (shown[first + row].textContent !== text) shown[first + row].replaceWith(newRow(text));
    }
  }

  function showLatest() {
    screen.scrollTop = screen.scrollHeight;
  }

  // A story showing its newest line keeps showing it when the pane or its lines change size
  // (a phone turned, a window resized, the lines wrapped anew); one scrolled back stays put.
  function followLatest() {
    let atLatest = true;
    screen.addEventListener('scroll', () => {
      atLatest = screen.scrollHeight - screen.clientHeight - screen.scrollTop < 2;
    });
    const follow = new ResizeObserver(() => atLatest && showLatest());
    follow.observe(screen);
    follow.observe(rows);
  }

  function paintPicture() {
    const name = engine.picture();
    if (name === shownPicture) return;
    shownPicture = name;
    picture.alt = engine.pictureDescription() || MESSAGES.pictureAlt(name);
    picture.src = DATA_URL + encodeURIComponent(name);
  }

  function paint() {
    paintRows();
    showLatest();
    const command = engine.command();
    if (input.value !== command) input.value = command;
    status.textContent = command === PAGE_PROMPT ? PAGE_PROMPT : '';
    // One carried object a line, each ended by a carriage return.
    const carried = engine.inventory().replace(/\r$/, '').replace(/\r/g, '\n');
    if (inventory.textContent !== carried) inventory.textContent = carried;
    paintPicture();
    if (engine.ended()) finish();
  }

  function finish() {
    input.disabled = true;
    chooseFile.disabled = true;
    resume.hidden = true;
    const problem = engine.problem();
    tell(problem ? `${problem} ${MESSAGES.ended}` : MESSAGES.ended);
  }

  // Something the page asks of the game between keys (a key itself, Ctrl+Z, a load): the
  // box's text is handed over first, since the engine reads it on Enter, and what the game
  // then shows is painted and what it wrote kept.
  function play(work) {
    if (engine.ended()) return;
    engine.setCommand(input.value);
    work();
    paint();
    listFiles();
  }

  // Every key goes to the key-down handler, and Enter on to the key-press handler, as in the
  // game's window.
  function onKeyDown(event) {
    if (event.isComposing || event.keyCode === 229) return;
    if (event.key === 'PageUp' || event.key === 'PageDown') {
      const page = screen.clientHeight - 2 * rows.lastElementChild.offsetHeight;
      screen.scrollBy(0, event.key === 'PageUp' ? -page : page);
      event.preventDefault();
      return;
    }
    if ((event.ctrlKey || event.metaKey) && !event.altKey && !event.shiftKey && event.key.toLowerCase() === 'z') {
      play(engine.undo);
      event.preventDefault();
      return;
    }
    const keyCode = KEY_CODES[event.key] ?? OTHER;
    if (keyCode === ENTER) {
      play(() => engine.pressKey(ENTER));
    } else {
      engine.setCommand(input.value);
      engine.pressKey(keyCode);
      paint();
    }
    // Up and Down belong to the history and Enter to the game; End also moves the caret.
    if (keyCode !== OTHER && event.key !== 'End') event.preventDefault();
  }

  async function loadChosenFile() {
    const file = chosenFile.files[0];
    chosenFile.value = '';
    input.focus();
    if (!file) return;
    const bytes = new Uint8Array(await file.slice(0, LARGEST_CHOSEN_FILE).arrayBuffer());
    const path = `${CHOSEN_FOLDER}/${file.name.replaceAll('/', '_') || 'partita.sav'}`;
    engine.FS.writeFile(path, bytes);
    play(() => engine.loadFrom(path));
    engine.FS.unlink(path);
  }

  // Closing a page or a tab, or a phone putting the browser away, may leave no time for
  // anything: the game is kept for resuming each time the page is hidden, while it still
  // can be.
  function keepInterrupted() {
    if (engine.ended()) return;
    if (!engine.keepInterrupted()) tell(MESSAGES.notInterrupted);
    listFiles();
  }

  // The keys belong to the command box: a click anywhere else, unless it selects text to
  // copy or lands on a control of its own, gives the box the focus back.
  function keepFocus() {
    document.addEventListener('click', (event) => {
      if (input.disabled || event.target.closest('button, a, input, summary, label')) return;
      if (String(window.getSelection())) return;
      input.focus();
    });
    document.addEventListener('keydown', () => {
      if (document.activeElement === document.body && !input.disabled) input.focus();
    });
  }

  function listen() {
    input.addEventListener('keydown', onKeyDown);
    // Enter from a keyboard that reports no key (some phones) arrives as the form's submit.
    form.addEventListener('submit', (event) => {
      event.preventDefault();
      play(() => engine.pressKey(ENTER));
    });
    picture.addEventListener('load', () => (picture.hidden = false));
    // A picture that cannot be had leaves the pane empty, as in the window.
    picture.addEventListener('error', () => (picture.hidden = true));
    resume.addEventListener('click', () => {
      play(engine.resume);
      input.focus();
    });
    chooseFile.addEventListener('click', () => chosenFile.click());
    chosenFile.addEventListener('change', loadChosenFile);
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'hidden') keepInterrupted();
    });
    window.addEventListener('pagehide', keepInterrupted);
    followLatest();
    keepFocus();
  }

  async function start() {
    if (location.protocol === 'file:') return tell(MESSAGES.fromFile);
    if (typeof WebAssembly !== 'object' || typeof createVortila !== 'function') {
      return tell(typeof WebAssembly === 'object' ? MESSAGES.notLoaded : MESSAGES.noWebAssembly);
    }
    // The storage opens while the engine compiles and the data downloads.
    const opening = openPlayerStorage();
    let module;
    let data;
    try {
      [module, data] = await Promise.all([createVortila(), fetchData()]);
    } catch (error) {
      return tell(MESSAGES.notLoaded);
    }
    engine = bindEngine(module);
    storage = await opening;
    writeData(engine.FS, data);
    engine.FS.mkdir(CHOSEN_FOLDER);
    try {
      await restoreFiles(engine.FS);
    } catch (error) {
      storage = null;
    }
    if (!storage) tell(MESSAGES.noStorage);

    for (let row = 0; row < ROWS; row++) rows.append(newRow(''));
    if (!engine.start(DATA_FOLDER, PLAYER_FOLDER)) return tell(engine.problem());
    listen();
    paint();
    listFiles();
    input.disabled = false;
    chooseFile.disabled = false;
    input.focus();
    // For the measurements: how long the first page took from the navigation.
    performance.mark('vortila-prima-pagina');
  }

  start();
})();
