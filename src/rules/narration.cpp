#include "rules/narration.h"

namespace vortila::narration {

const std::string_view kCredits =
    "^^         LA VORTILA^^^"
    "Un'avventura testuale del gruppo de La Vortila.^"
    "Scritta sul nostro motore, Vortice 1.0.^^"
    "Storia, enigmi e programmazione: tutto fatto in casa.^^"
    "Grazie di cuore ai nostri tester, che hanno esplorato la vortila in lungo e in largo, "
    "sono morti in tutti i modi possibili e ci hanno segnalato ogni errore con pazienza.^^"
    "E grazie a te, che tu sia arrivato in fondo o no: speriamo che il viaggio ti piaccia e "
    "che, guardando le stelle, ti torni in mente questa strana storia.^^"
    "Arrivederci!^";

const std::string_view kKnocksBegin =
    "^Improvvisamente percepisci qualcosa... sembrano dei colpi, sordi e lontani, come se "
    "stessero battendo sullo scafo della vortila, da fuori.";
const std::string_view kKnocksRepeat =
    "Non ci sono dubbi: qualcuno o qualcosa sta ripetutamente colpendo lo scafo, a intervalli "
    "regolari, come se volesse dirti qualcosa.";
const std::string_view kKnocksStop =
    "I battiti che sentivi sembrano essere scomparsi. Torna il silenzio, ma è un silenzio "
    "teso, che non ti piace per niente.";

const std::string_view kDeathHelmetOff =
    "^Decidi di toglierti il casco per provare a respirare, ma è un errore fatale: nella "
    "vortila non c'è aria. Appena sganci il casco, l'ultimo ossigeno della tuta si disperde in "
    "un soffio; i polmoni cercano invano qualcosa da respirare e il petto ti brucia come "
    "fuoco. Crolli in ginocchio, le mani alla gola, mentre tutto diventa buio.";
const std::string_view kDeathRocket =
    "^Bell'idea accendere il razzo direzionale all'interno di queso spazio angusto! La spinta "
    "ti scaraventa contro le pareti come una palla impazzita: al terzo rimbalzo non senti più "
    "nulla.";
const std::string_view kDeathAsphyxia =
    "^La mancanza d'aria ti è stata fatale: ogni respiro si fa più corto e affannoso, la vista "
    "si annebbia e la testa diventa pesante. Perdi i sensi lentamente e muori soffocato dentro "
    "la tua tuta, solo e lontanissimo da casa.";
const std::string_view kDeathRandomKeys =
    "^Schiacci dei tasti a caso senza sapere bene quello che fai, e per buona misura tiri "
    "anche un paio di levette. Per un istante non succede nulla; poi le spie impazziscono, un "
    "sibilo acuto riempie la stanza e la vortila sobbalza con violenza, come un animale "
    "ferito. Le pareti si spalancano sul vuoto e vieni scagliato fuori insieme a tutto ciò "
    "che non è fissato. L'ultima cosa che vedi è la Terra, azzurra e lontanissima, che ruota "
    "indifferente.";
const std::string_view kDeathCeilingSpider =
    "^Qualche istante dopo vedi dei piccoli detriti precipare dal soffitto. Alzi lo sguardo: "
    "la ragnatela vibra e al suo centro il ragno gigante comincia a muovere le zampe, una dopo "
    "l'altra, come se l'aria nuova lo stesse risvegliando da un lungo sonno. Non fai in tempo "
    "a muoverti: la bestia si lascia cadere su di te con tutto il suo peso e ti inchioda al "
    "pavimento. Senti le sue zampe serrarsi attorno alla tuta, poi il buio.";
const std::string_view kDeathSpiderLeg =
    "^Un attimo dopo senti qualcosa che ti tocca la gamba. Abbassi lo sguardo: una lunga zampa "
    "pelosa si è tesa verso di te. Il ragno gigante, che credevi innocuo, si è svegliato "
    "respirando l'aria nuova. La zampa si aggancia alla tuta e ti trascina a terra; cerchi di "
    "divincolarti, scalci con tutte le tue forze, ma la presa è d'acciaio. Vieni tirato sotto "
    "il suo corpo, e poi più nulla.";
const std::string_view kDeathAirSucked =
    "^Premendo il tasto senti chiaramente l'aria che viene risucchiata via... Senza il casco "
    "non hai scampo: apri la bocca, boccheggi, ma non c'è più niente da respirare.";
const std::string_view kDeathFrozen =
    "^Appena compi quest'azione percepisci una sensazione stranissima: l'aria che è entrata "
    "nella vortila è gelida, più fredda di qualunque inverno. Il respiro ti si condensa "
    "davanti al viso, le ciglia si coprono di brina e le dita non ti obbediscono più. Cadi a "
    "terra completamente congelato (e vai anche a pezzi).^";
const std::string_view kDeathBurned =
    "^Appena compi quest'azione percepisci una sensazione stranissima: l'aria che è entrata "
    "nella vortila è rovente, come il soffio di una fornace. Ogni respiro ti ustiona la gola e "
    "i polmoni, la pelle del viso si copre di vesciche, gli occhi lacrimano. Crolli al suolo "
    "completamente carbonizzato.^";
const std::string_view kDeathSpiderOnSuit =
    "Piuttosto che morire d'asfissia, decidi di toglierti il casco. L'aria fresca ti riempie i "
    "polmoni e per un istante ti sembra di aver fatto la scelta giusta. Poi senti un fruscio "
    "vicino all'orecchio. Il ragnetto, che zampettava sulla tuta, ha trovato il varco che "
    "cercava: si infila nel collare aperto e scivola dentro, contro la pelle. Lo senti correre "
    "lungo la schiena, sul petto, sotto le braccia, e capisci con orrore che non puoi "
    "raggiungerlo. Tenti di aprire le chiusure, ti getti a terra e ti rotoli sul pavimento, "
    "urlando. Poi arriva il primo morso, bruciante come acido, e subito dopo il secondo. Le "
    "gambe ti cedono, il corpo non ti risponde più. L'ultima cosa che senti sono le sue "
    "zampette che si muovono, instancabili, sotto la tuta.";
const std::string_view kDeathLittleSpider =
    "^Il ragno si è fatto talmente vicino che alla fine, con un balzo, ti salta addosso. Senza "
    "il casco sei indifeso: lo senti atterrare sulla spalla, zampettarti sul collo e infilarsi "
    "nel collare della tuta prima ancora che tu possa alzare una mano. Ti dibatti, ti colpisci "
    "il petto, provi ad aprire la tuta, ma le chiusure sono fatte per resistere al vuoto, non "
    "per essere aperte in fretta. Urli, ma là dentro nessuno può sentirti. La bestiola corre "
    "sotto la stoffa imbottita, lungo la schiena e poi sul ventre, e infine ti morde: un "
    "morso, poi un altro, e un altro ancora. Il veleno brucia come fuoco; le gambe ti cedono e "
    "crolli sul pavimento, mentre la luce delle console si confonde e si spegne.";
const std::string_view kDeathExplosion =
    "^Mentre cazzeggi allegramente succede una cosa totalmente inaspettata: un'esplosione "
    "squarcia lo scafo a pochi passi da te, in una vampata accecante. Quei colpi erano un "
    "avvertimento, e tu non ne hai tenuto conto. L'onda d'urto ti spazza via come un "
    "fuscello.";

const std::string_view kSpiderJump =
    "Indossi il casco appena in tempo: il ragno compie un balzo e ti salta sulla tuta. Lo "
    "senti zampettare frenetico sulle spalle, sul casco, lungo le braccia e sulla schiena, "
    "alla ricerca di un varco per entrare.";
const std::string_view kFreshAir =
    "Con una certa trepidazione ti togli il casco... aah! L'aria che ti entra nei polmoni è "
    "fresca e pulita, perfettamente respirabile. Respiri a fondo, una, due, tre volte: che "
    "sollievo!";
const std::string_view kLittleSpider =
    "^Dopo pochi istanti un movimento attira la tua attenzione: qualcosa di nero saetta sul "
    "pavimento, sbucando da sotto le console. È un ragno, grande più o meno come una mano: "
    "una copia in miniatura del ragno gigante. Corre avanti e indietro, nervoso, come se "
    "fiutasse l'aria; poi si ferma, sembra accorgersi di te e comincia ad avvicinarsi.";
const std::string_view kSpiderThoughts =
    "Probabilmente, pensi, questo deve essere il 'figlio' di quello più grande, uscito da uno "
    "di quei gusci d'uovo rotti. Ha l'aria affamata e ti fissa con i suoi otto occhietti "
    "neri e lucidi. Da quando ti sei tolto il casco l'odore della tua pelle deve averlo "
    "attirato: si avvicina sempre di più, a piccoli scatti nervosi. Faresti meglio a "
    "proteggerti, e in fretta, prima che sia troppo tardi.";
const std::string_view kBrokenHelmet =
    "Togliendoti il casco noti con orrore che la superficie esterna del casco è corrosa e "
    "incrinata in più punti: mentre ti zampettava addosso, il ragnetto deve averla intaccata "
    "con la sua saliva acida. Ormai è inservibile: la visiera è opaca e non potrebbe più "
    "proteggerti da nulla. Con un brivido di ribrezzo lo lasci cadere a terra.";

const std::string_view kTorchLight =
    "Accendendo la torcia, riesci ad illuminare un po' l'interno della vortila: dal buio "
    "affiorano pareti curve e strane apparecchiature.";

const std::string_view kNoConjurer = "Non sei mica il mago Silvan!";

const std::string_view kPowerReturns =
    "Riponendo i due accumulatori nelle nicchie ripristini l'energia. Per un attimo non "
    "succede nulla; poi un ronzio profondo sale dal pavimento, le pareti vibrano leggermente e "
    "una luce diffusa e azzurrina invade la stanza.";
const std::string_view kConsolesAwake =
    "Come per magia anche le pareti della stanza si trasformano: i pannelli lisci e scuri si "
    "illuminano dall'interno e al loro posto compaiono vere console, gremite di tasti, levette "
    "e spie che lampeggiano senza sosta in mille colori.";
const std::string_view kNichesVanish =
    "Contemporaneamente anche le due nicchie nel muro scompaiono: la parete si richiude su di "
    "esse come un liquido che si rapprende, inghiottendo gli accumulatori. La bruciatura "
    "svanisce a sua volta, e di quel vecchio guasto non resta più alcuna traccia.";
const std::string_view kSpiderDiscovered =
    "Guardandoti intorno noti sul pavimento degli strani detriti biancastri, che alla luce "
    "della torcia ti erano sfuggiti: sembrano frammenti di gusci, come di uova rotte. Un "
    "brivido ti corre lungo la schiena. Lentamente alzi lo sguardo: una ragnatela enorme "
    "ricopre quasi tutto il soffitto, e al suo centro se ne sta immobile un ragno gigantesco, "
    "grande quasi quanto un uomo. Sembra addormentato.";

const std::string_view kAirInflow =
    "Premi il tasto blu e apparentemente non accade nulla. Poi però avverti un leggero sibilo "
    "che sale dalle pareti, e l'indicatore della tuta segna una pressione esterna in rapido "
    "aumento.";
const std::string_view kSpiderlingStunned =
    "Come ti aspettavi, la mancanza di atmosfera fa precipitare in catalessi il ragnetto: le "
    "zampette perdono la presa sulla tuta e la bestiola cade sul pavimento, dove resta "
    "immobile, con le zampe ripiegate sotto di sé. Senz'aria, a quanto pare, questi ragni "
    "piombano in un sonno profondo. Ma allora non può essere nato qui, nella vortila "
    "senz'aria: forse, pensi, è sbucato da qualche apertura lasciata incustodita.";
const std::string_view kNavigationCode =
    "Oppure può essere che, secondo un ipotetico 'codice di navigazione stellare', gli alieni "
    "abbiano l'abitudine di lasciare sempre uno sportello aperto, per cortesia verso chi si "
    "perde nello spazio o per semplice superstizione, come certi montanari che non chiudono "
    "mai a chiave la porta del rifugio. Se è così, il ragnetto è entrato proprio da lì, e da "
    "quella stessa apertura, chissà, potrebbe passare anche la tua salvezza.";
const std::string_view kBitterThought =
    "Certo è - questo è il tuo amaro pensiero conclusivo - che se da questa vortila esiste "
    "davvero una via d'uscita, i ragni la conoscono molto meglio di te.";

const std::string_view kSpiderlingKilled =
    "Fai fuori il ragnetto come hai fatto col suo genitore: la punta del cacciavite gli "
    "trapassa il ventre, le zampette hanno un ultimo sussulto e poi più nulla.";
const std::string_view kKillerDoubts =
    "Sei molto soddisfatto delle tue capacità di assassino, ma un dubbio ti rode: questo "
    "ragnetto è sbucato da sotto le console, e chi ti dice che là sotto, da qualche parte, "
    "non ne aspettino altri?";
const std::string_view kGuardDogs =
    "Forse gli alieni proprietari della vortila hanno voluto punire chi vi entrasse senza "
    "permesso, e hanno lasciato a bordo questi ragni come cani da guardia: bestie che dormono "
    "finché manca l'aria e si svegliano affamate appena un intruso la fa tornare. Un "
    "antifurto vivente, e tu ci sei cascato in pieno.";
const std::string_view kTwoMonsters =
    "Rimani per un attimo a fissare i due mostri che hai ucciso, uno grande e uno piccolo, e "
    "ti chiedi quanti altri ne dormano ancora qui dentro.";

const std::string_view kSpiderDrilled =
    "Con la punta rotante del tuo cacciavite elettrico inerziale affondi nel ventre molle del "
    "ragno. La carne cede quasi senza resistenza, con un ronzio soffocato che ti dà il "
    "voltastomaco. La bestia si risveglia di colpo: le zampe scattano verso l'alto, cercano "
    "di afferrarti, ma rovesciata com'è non riesce a raddrizzarsi. Tu tieni duro e spingi "
    "ancora, finché le zampe non ricadono inerti, una dopo l'altra.";
const std::string_view kRedLiquid =
    "Entro pochi secondi dalla ferita sgorga uno strano liquido rosso, denso e lucido, che "
    "cola lungo il ventre e forma una piccola pozza sul pavimento.";
const std::string_view kRedFlame =
    "Un'improvvisa fiammata si eleva dalla ferita e ti costringe a indietreggiare, come se "
    "dentro quel corpo covasse una brace. Quando la fiamma si spegne, dallo squarcio esce una "
    "polvere rosso scuro, che si deposita sul pavimento e si raggruma in piccole croste: è il "
    "sangue del ragno, cotto all'istante dal suo stesso calore. Lo spettacolo è nauseante.";
const std::string_view kRedCrystals =
    "Qualcosa esce dalla ferita: sembrano dei piccoli cristalli rossi, duri e taglienti, che "
    "rimbalzano sul pavimento come grandine. Il sangue del ragno è gelato all'istante, "
    "come se nelle sue vene scorresse il freddo dello spazio.";
const std::string_view kWasItTheOwner =
    "^Di fronte alla tua opera omicida ti assale un dubbio atroce: e se quel ragno fosse il "
    "legittimo proprietario della vortila? Magari era il pilota, o addirittura il comandante, "
    "e se ne stava lassù sulla sua ragnatela a dormire, in attesa che qualcuno rimettesse in "
    "funzione la nave. Tu sei entrato senza invito, hai frugato nelle nicchie, hai messo le "
    "mani sugli accumulatori e infine hai ammazzato il padrone di casa con un cacciavite. Se "
    "è andata così, il primo incontro tra l'umanità e una specie aliena non poteva cominciare "
    "in modo peggiore, e la colpa è soltanto tua.";
const std::string_view kWhereFromSpider =
    "Ma allora da dove salta fuori questo ragno? Guardi le console: i tasti sono piccoli e "
    "fitti, le levette sottili, tutto sembra fatto per dita agili e precise, non certo per "
    "quelle zampe pelose e goffe. No, quella bestia non può aver pilotato niente. Più "
    "probabilmente era un clandestino, un parassita salito a bordo chissà dove e chissà "
    "quando, che ha trovato nella vortila spenta, silenziosa e senz'aria, un nido tranquillo "
    "dove deporre le uova: i gusci rotti che hai visto ne sono la prova. E i veri "
    "proprietari, allora? Forse sono morti, forse hanno abbandonato la nave quando si è "
    "guastata, forse sono ancora qui da qualche parte, nascosti dietro una parete, a "
    "guardarti.";
const std::string_view kMothership =
    "Spingendoti ancor più in là con la fantasia, immagini che la vortila non sia altro che "
    "una scialuppa, staccata da una gigantesca nave madre aliena. Una nave immensa, in "
    "viaggio da secoli fra le stelle, infestata da milioni di questi ragni: i suoi abitanti, "
    "ormai sopraffatti, avrebbero cercato scampo nelle scialuppe, senza accorgersi di portare "
    "con sé le uova dei loro nemici. E forse la vortila è arrivata fin qui, in orbita attorno "
    "alla Terra, proprio per questo: ultima fuga di un equipaggio morto da tempo. "
    "Rabbrividisci, e decidi che per oggi di fantasia ne hai avuta abbastanza.";

const std::string_view kMorseKnocks =
    "Ti fermi ad ascoltare: i battiti sembrano scanditi in maniera ritmata, colpi brevi e "
    "colpi lunghi alternati a pause regolari. Ma certo, è l'alfabeto Morse! Lettera dopo "
    "lettera, decifri il messaggio: ALLONTANATI DALLO SCAFO. Poi una pausa, e si ricomincia "
    "da capo, sempre le stesse parole. Sono i tuoi compagni: vogliono aprire un varco, e da "
    "come insistono non sarà un'operazione delicata.";
const std::string_view kHatchFound =
    "Sotto ad alcune consolle c'è una fessura: guardando meglio scopri uno sportello "
    "chiuso, quasi invisibile. Dev'essere da lì che è sbucato il ragnetto.";

const std::string_view kEscapeDive =
    "   Con un balzo felino ti butti alla cieca dentro allo sportello, e ti ritrovi in un "
    "piccolo stanzino completamente buio. Hai appena il tempo di raggomitolarti contro la "
    "parete che la vortila trema tutta, scossa da un colpo violentissimo: un'esplosione.";
const std::string_view kEscapeCrewBoards =
    "   Immediatamente dopo senti delle grida indefinite provenire dalla stanza principale. "
    "Riconosci le voci: sono i tuoi compagni! Hanno fatto saltare lo scafo e sono entrati dal "
    "varco aperto con l'esplosivo. Tiri un lungo sospiro di sollievo: è fatta, sei salvo. Fra "
    "poco sarai di nuovo sulla navetta, a raccontare questa storia.";
const std::string_view kEscapeItch =
    "^   Mentre pensi questo senti un prurito sul collo. Ti passi una mano sulla nuca e le "
    "dita incontrano qualcosa di appiccicoso: hai i capelli pieni di ragnatela. Senza più il "
    "casco, nel buio ci hai ficcato dentro la testa. Alla luce azzurrina che filtra dallo "
    "sportello ti guardi intorno, e il sollievo ti si gela in gola: lo stanzino è tappezzato "
    "di ragnatele, dal pavimento al soffitto, e tra i fili sono incastrate decine di uova "
    "biancastre, grosse come pugni. Alcune sono intatte; altre sono spaccate, vuote.";
const std::string_view kEscapeEggs =
    "   Noti infatti che alcuni pezzi di guscio stanno cadendo al suolo: le uova si muovono, "
    "si incrinano, e da una crepa spunta una zampetta nera, poi un'altra. I piccoli si stanno "
    "svegliando, forse richiamati dal tuo odore o dal calore del tuo corpo. Poi, in fondo "
    "allo stanzino, dietro il velo più fitto della ragnatela, qualcosa di molto più grosso si "
    "muove: otto occhi lucidi si accendono nel buio, e un ragno enorme, ancora più grande di "
    "quello del soffitto, raccoglie le zampe sotto di sé, pronto a balzare. Non ci pensi "
    "due volte: ti getti all'indietro, fuori dallo sportello, e ricadi lungo disteso sul "
    "pavimento della vortila.";
const std::string_view kEscapeCrawl =
    "^  Correndo carponi verso il varco appena aperto dai tuoi compagni, passi accanto al "
    "corpo del ragno gigante. Le sue zampe contratte paiono ancora tendersi verso di te, e "
    "per un attimo ti sembra che si muovano. La stanza è piena di fumo e di detriti; "
    "oltre lo squarcio si apre un tunnel annerito che attraversa lo spessore dello scafo, e "
    "da lì arrivano le voci dei tuoi compagni e la luce delle loro torce. Dietro di te, dallo "
    "sportello, sale un fruscio sempre più forte.";
const std::string_view kEscapeCrewMate =
    "  Ti volti ancora, verso il tunnel, la tua unica speranza. Dal fumo emerge la sagoma di "
    "un tuo compagno, che avanza tranquillo verso di te e ti saluta con la mano. Non sa "
    "ancora niente.";


}  // namespace vortila::narration
