#include "app/introduction.h"

namespace vortila {

// The banner and the introduction are story, not logic: they live together in one table so
// that the prose can be revised without touching the start-up code, which prints them in
// this order, each from a fresh line. A '^' is the screen's own line break, and the source
// is cut after each one so that every paragraph and every radio line reads here as it
// will on screen; the screen itself wraps the long lines.
const std::array<std::string_view, kIntroductionTextCount> kIntroductionTexts = {
    // 1: the title banner
    "^^^^^^LA VORTILA^^"
    "Autore: il gruppo de La Vortila^"
    "Versione 1.0 - 15/6/2002 - motore Vortice 1.0^"
    "In gara al concorso di narrativa interattiva italiana^^",
    // 2: waking on the shuttle in orbit
    "^^     E' già il terzo risveglio da quando sei sullo Space Shuttle, eppure "
    "non riesci ancora ad abituarti. Apri gli occhi e per un istante non sai dove "
    "ti trovi: il sacco a pelo è legato alla parete, le braccia ti fluttuano "
    "davanti al viso come quelle di un annegato e il ronzio dei ventilatori riempie "
    "ogni cosa.^"
    "     Ti liberi dalle cinghie e ti spingi verso l'oblò. Quattrocento "
    "chilometri più in basso la Terra ruota lenta e silenziosa, avvolta nei suoi "
    "veli di nubi, indifferente a tutto.",
    // 3: the first space walk, the suit and its equipment
    "^     Oggi però c'è un'elettrizzante novità: toccherà a te la prima "
    "passeggiata spaziale della missione. I compagni ti aiutano a indossare la "
    "tuta, controllando ogni guarnizione e ogni raccordo. Poi ti infilano il casco, "
    "lo bloccano con uno scatto secco, e all'improvviso il mondo si riduce al suono "
    "del tuo respiro.^"
    "     Ripassi l'equipaggiamento: la torcia alla cintura, il gancio con il suo "
    "cavo d'acciaio, la cassetta degli attrezzi incorporata nella tuta e, sul "
    "dorso, il razzetto direzionale per muoverti nel vuoto.",
    // 4: radio talk before the hatch opens
    "^^     Una voce riecheggia nelle tue orecchie:^"
    "- Qui navetta. Mi ricevi?^"
    "- Forte e chiaro.^"
    "- Pressione della tuta?^"
    "- Stabile. Le spie sono tutte verdi.^"
    "- Riserva d'aria?^"
    "- Al completo.^"
    "- Cavo di sicurezza?^"
    "- Agganciato.^"
    "- Bene. Ricorda che là fuori ogni gesto continua finché qualcos'altro non lo "
    "ferma: niente movimenti bruschi. Sei pronto?^"
    "     Deglutisci. Il cuore ti martella nel petto e dentro il casco ogni respiro "
    "rimbomba, amplificato, come in una caverna.^"
    "- Sono pronto. Aprite pure.",
    // 5: the last instructions
    "^     - Come desideri. Tieniti saldo al corrimano finché la pressione non "
    "sarà scesa a zero. Poi muoviti soltanto con il razzetto, a brevi impulsi: il "
    "carburante è poco e ti servirà anche per il ritorno. Il punto di intervento "
    "è l'antenna sul fianco della stiva.^"
    "- Ricevuto.^"
    "- Buona fortuna. Apertura del portellone tra tre, due, uno...",
    // 6: floating out into space
    "^^     Il portellone si apre e ti liberi in volo... o almeno ci provi: per "
    "un attimo resti aggrappato al corrimano, incapace di lasciare la presa. "
    "Davanti a te non c'è niente, soltanto un nero sterminato e stelle che non "
    "tremano. Poi ti dai una spinta e il vuoto ti accoglie.^"
    "     Nessun vento, nessun suono: solo il tuo respiro e il fruscio della radio. "
    "Il cavo di sicurezza si srotola alle tue spalle come un cordone ombelicale. "
    "Sotto di te la Terra scorre enorme e azzurra, così vicina che sembra di "
    "poterla toccare, e un'ondata di euforia ti sale in gola.",
    // 7: reaching the work point
    "^    Appena raggiungi il punto di intervento ti ancori alla struttura e apri "
    "la cassetta degli attrezzi. Il lavoro è quello provato cento volte a terra: "
    "svitare il pannello dell'antenna, sostituire il modulo bruciato, richiudere. "
    "Eppure quassù ogni gesto costa una fatica tripla; i guanti sono rigidi e le "
    "viti sembrano voler scappare da tutte le parti.^"
    "- Come va lì fuori?^"
    "- Tutto bene, sto finendo.^"
    "     Mezz'ora dopo il pannello è di nuovo al suo posto. Ti concedi un momento "
    "per riprendere fiato e ti lasci andare, sospeso, a contemplare lo spettacolo.",
    // 8: a strange object is sighted
    "Improvvisamente però qualcosa attrae la tua attenzione! Poco lontano, contro "
    "il bagliore della Terra, si staglia una sagoma scura dove un attimo prima non "
    "c'era nulla. Non riflette la luce del Sole, anzi sembra inghiottirla: è come "
    "un buco ritagliato nel cielo.^"
    "     L'oggetto è allungato, irregolare, percorso da nervature che si "
    "avvolgono su sé stesse come un vortice pietrificato. Non somiglia a nessun "
    "satellite che tu abbia mai visto, e ruota lentamente, a poche decine di metri da te.^"
    "     Chiami la navetta, ma dall'altra parte risponde soltanto un fruscio.",
    // 9: the order to recover it
    "Improvvisamente una comunicazione dalla navetta interrompe il silenzio:^"
    "- Lo vediamo anche noi. I radar non lo rilevano, ma le telecamere sì. "
    "Abbiamo parlato con il controllo a terra: laggiù l'hanno già battezzato "
    "vortila, per via della forma. L'ordine è di avvicinarti e di esaminarlo. "
    "Se possibile, dobbiamo recuperarlo.^"
    "- Recuperarlo? Non sappiamo nemmeno che cosa sia, né da dove venga.^"
    "- Appunto. È proprio quello che vogliono scoprire.^"
    "     Resti in silenzio. La vortila continua a girare su sé stessa, "
    "paziente, come se aspettasse. Una voce dentro di te ti dice di tornare "
    "indietro subito, di richiudere il portellone e di non pensarci più.",
    // 10: the argument about the order
    "Uno degli articoli del regolamento parla esplicitamente: durante un'attività "
    "extraveicolare è vietato avvicinarsi a qualsiasi corpo estraneo non "
    "identificato. L'hai imparato a memoria, come tutti, e ora ti torna in mente "
    "parola per parola.^"
    "- Comandante, con tutto il rispetto, il regolamento lo proibisce. Articolo dodici.^"
    "- Conosco il regolamento meglio di te. L'ordine viene da molto in alto e non si discute.^"
    "- E se fosse pericoloso?^"
    "- Allora saremo i primi a saperlo. Coraggio, nessuno ti chiede di entrarci: "
    "devi soltanto agganciarlo.^"
    "- Con il razzetto non ci arrivo, è quasi a secco.^"
    "- Lo sappiamo. Lascia stare il razzetto e ascolta: devi fare così:",
    // 11: how to reach the object with the hook
    "prendi il gancio e tiralo. Mira alle nervature: la punta dovrebbe far presa. "
    "Quando sei sicuro che tenga, riavvolgi il cavo con il verricello della tuta e "
    "lasciati trascinare. Piano, mi raccomando.^"
    "     Stacchi il gancio dalla cintura e te lo rigiri tra le dita. Prendi la "
    "mira, trattieni il fiato e lo lanci. Il cavo d'acciaio si srotola in silenzio, "
    "tracciando nel vuoto una linea sottile e perfetta. Per un istante sembra che "
    "il gancio debba passare oltre; poi, con uno strattone che ti arriva fin dentro "
    "al guanto, si impiglia.",
    // 12: reaching the object
    "^ - Ok, ci sono, va bene... ha fatto presa. Comincio a riavvolgere.^"
    " - Ricevuto. Vai piano.^"
    "     Il verricello vibra contro il tuo fianco e l'oggetto cresce davanti a te, "
    "metro dopo metro, finché non riempie la visiera. Da vicino è ancora più "
    "strano: non è metallo né roccia, ma qualcosa di scuro e opaco, percorso da "
    "minuscole venature. Quando i tuoi stivali lo toccano, accanto al gancio scopri "
    "un'apertura ovale, buia.^"
    " - C'è un'apertura. Sembra... un ingresso.^"
    " - Dai un'occhiata dentro. Solo un'occhiata.",
    // 13: entering it
    "^- Si si, però... un momento. Prima libero il gancio.^"
    "     Lo stacchi dalla nervatura e riavvolgi il cavo d'acciaio; quello di "
    "sicurezza, invece, continua a legarti alla navetta, rassicurante alle tue "
    "spalle. Guardi l'indicatore dell'aria: è sceso più in fretta di quanto "
    "pensassi. Poi ti aggrappi al bordo dell'apertura e ti infili dentro.^"
    "     Davanti a te si apre un cunicolo stretto, che curva verso l'interno. La "
    "luce del Sole ti segue per un tratto, sempre più fioca.^"
    "- Sono dentro. Non si vede quasi niente.",
    // 14: trapped in the dark: the opening closes and cuts the cable
    "^^Improvvisamente ti ritrovi nel buio più totale. Alle tue spalle l'apertura "
    "si è serrata di scatto, come una palpebra, con un colpo sordo che senti nella "
    "tuta più che nelle orecchie. Ti volti, tendi le mani: dove c'era il varco "
    "trovi soltanto una parete liscia. Il cavo di sicurezza, tranciato di netto, ti "
    "galleggia inerte fra le dita.^"
    "- Navetta! Navetta, mi sentite?^"
    "     Nella cuffia soltanto un fruscio, sempre più debole, poi più nulla.^"
    "     Avanzi alla cieca finché i tuoi piedi non toccano un pavimento che non "
    "vedi, e con stupore senti tornare il tuo peso: qualcosa, qui dentro, ti tiene "
    "a terra. Sei solo, in un luogo sconosciuto, e l'aria nella tuta non durerà in eterno.^",
};

}  // namespace vortila
