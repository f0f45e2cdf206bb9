#pragma once

#include <QString>

// Every sentence the program says to its user, in one place. The windows' own captions
// stay with the design of their window.
//
// These are constants with static storage: read them from functions, never from another
// constant's initialiser in some other file, whose order of initialisation is not known.

namespace virdamo::texts {

using namespace Qt::StringLiterals;

// --- Waiting on the print service --------------------------------------------------------
inline const QString kCancel = u"Annulla"_s;
inline const QString kSendingSheet = u"Invio della scheda alla stampante..."_s;
inline const QString kSendingSheets = u"Invio delle schede alla stampante..."_s;
inline const QString kLookingForPrinters = u"Ricerca delle stampanti..."_s;

// --- "STAMPA" ----------------------------------------------------------------------------
inline const QString kStampaTitle = u"STAMPA"_s;
inline const QString kSheetNotPrinted = u"Stampa non riuscita: la scheda non è stata stampata."_s;
inline const QString kPrinterPaused = u"La stampante è in pausa: la scheda è in coda e sarà stampata alla ripresa."_s;

// --- Why an output was not made ----------------------------------------------------------
inline const QString kNoDefaultPrinter = u"Nessuna stampante predefinita."_s;
inline const QString kServiceUnavailable = u"Il servizio di stampa non risponde."_s;
inline const QString kNotAcceptingJobs = u"La stampante non accetta lavori."_s;
inline const QString kServiceError = u"Errore del servizio di stampa."_s;
inline const QString kFormatNotSupported = u"La stampante non accetta documenti PDF."_s;
inline const QString kNotAuthorized = u"Non si hanno i permessi per stampare su questa stampante."_s;
inline const QString kPrinterGone = u"La stampante non è più disponibile."_s;
inline const QString kPrinterBusy = u"La stampante è occupata: riprovare fra poco."_s;
inline const QString kDocumentTooLarge = u"Il documento è troppo grande per la stampante."_s;
inline const QString kQueueFull = u"La coda della stampante è piena: riprovare più tardi."_s;
inline const QString kNoPrinter = u"Non c'è nessuna stampante: aggiungerne una nelle impostazioni del sistema."_s;
inline const QString kPageNotDrawn = u"Non è stato possibile preparare la pagina."_s;
inline const QString kOutOfMemory = u"Memoria insufficiente per preparare la pagina."_s;
inline const QString kTargetIsFolder = u"Il nome scelto è quello di una cartella, non di un file."_s;
inline const QString kNotARegularFile =
    u"Il nome scelto non è quello di un file normale, ma di un dispositivo o di una pipe."_s;
inline const QString kNoPermission = u"Non si hanno i permessi per scrivere il file in quel posto."_s;
inline const QString kDiskFull = u"Il disco è pieno."_s;
inline const QString kNameTooLong = u"Il nome del file è troppo lungo."_s;
inline const QString kFolderMissing = u"La cartella scelta non esiste."_s;
inline const QString kFolderTakesNoFiles = u"Nella cartella scelta non si possono creare file."_s;
inline const QString kReadOnlyDisk = u"Il disco è di sola lettura."_s;
inline const QString kWriteError = u"Errore di scrittura sul disco."_s;
inline const QString kUnexpected = u"Errore imprevisto."_s;
inline const QString kCancelled = u"Operazione annullata."_s;
/// Follows a reason that names no cause: %1 is the number the service or the system gave.
inline const QString kDetailCode = u"Dettagli: codice %1."_s;

// --- Why a file was not read --------------------------------------------------------------
inline const QString kReadNoPermission = u"Non si hanno i permessi per leggere il file."_s;
inline const QString kReadLinkLoop = u"I collegamenti simbolici del percorso formano un ciclo."_s;
inline const QString kReadNotAFile = u"Non è un file normale, ma una cartella, un dispositivo, una pipe o un socket."_s;
inline const QString kReadError = u"Errore di lettura dal disco."_s;

// --- Naming what the user typed ---------------------------------------------------------
/// A character that can be seen, named in a message.
inline const QString kCharacterShown = u"«%1»"_s;
/// A character that cannot be seen (a control character, a blank of some kind), by its code.
inline const QString kCharacterCode = u"U+%1"_s;

// --- Sheet codes -------------------------------------------------------------------------
inline const QString kCodeEmpty = u"Scrivere il codice della scheda."_s;
inline const QString kCodeWrongLength =
    u"Un codice ha 10 o 13 caratteri, come H28T5-CY4TQ (i trattini si possono omettere)."_s;
/// %1: the character, as kCharacterShown or kCharacterCode name it.
inline const QString kCodeBadSymbol = u"Il carattere %1 non può stare in un codice."_s;
inline const QString kCodeWrongCheck = u"Codice non valido: controllare di averlo scritto bene."_s;
inline const QString kCodeFromNewerVersion = u"Questo codice è di una versione più recente del programma."_s;

// --- "Schede per la classe" --------------------------------------------------------------
inline const QString kClassSheetsTitle = u"Schede per la classe"_s;
inline const QString kClassSheetsAbout = u"Ogni scheda è diversa; la scheda 1 è quella del codice. Il documento ha "
                                         u"prima le pagine per gli alunni, poi le soluzioni."_s;
inline const QString kSheetCountLabel = u"&Numero di schede:"_s;
inline const QString kSheetCountTip = u"Ogni scheda è diversa; la prima è la scheda del codice."_s;
inline const QString kCodeLabel = u"&Codice della scheda:"_s;
/// %1 multiplicand digits, %2 kOneDigit or kDigits, %3 operations.
inline const QString kCodeSettings = u"Moltiplicando di %1 cifre, moltiplicatore di %2, %3 operazioni."_s;
inline const QString kOneDigit = u"1 cifra"_s;
inline const QString kDigits = u"%1 cifre"_s;
inline const QString kPupilsPages = u"Schede per gli alunni (senza risultati)"_s;
inline const QString kSolutionPages = u"Soluzioni"_s;
inline const QString kPreviewEllipsis = u"Anteprima..."_s;
inline const QString kPrintEllipsis = u"Stampa..."_s;
inline const QString kSavePdfEllipsis = u"Salva PDF..."_s;
inline const QString kClose = u"Chiudi"_s;
inline const QString kSheetsNotPrinted = u"Stampa non riuscita: le schede non sono state stampate."_s;
/// %1: the printer's name.
inline const QString kSheetsSent = u"Schede inviate alla stampante %1."_s;
inline const QString kSheetsQueuedOnPausedPrinter =
    u"La stampante è in pausa: le schede sono in coda e saranno stampate alla ripresa."_s;
inline const QString kPreviewNotShown = u"Non è stato possibile mostrare l'anteprima."_s;
inline const QString kSavePdfTitle = u"Salva le schede in PDF"_s;
inline const QString kPdfFilter = u"Documenti PDF (*.pdf)"_s;
/// %1: the code of the first sheet.
inline const QString kPdfFileName = u"schede-%1.pdf"_s;
inline const QString kPdfNotSaved = u"Il PDF non è stato salvato."_s;
/// %1: the file.
inline const QString kPdfSaved = u"PDF salvato: %1"_s;
inline const QString kSaveHtmlEllipsis = u"Salva per il computer..."_s;
inline const QString kSaveHtmlTip = u"Una pagina da aprire al computer o sul tablet, anche senza rete: l'alunno "
                                    u"sceglie il suo nome e scrive le cifre, ognuna controllata"_s;
inline const QString kSaveHtmlTitle = u"Salva le schede da fare al computer"_s;
inline const QString kHtmlFilter = u"Pagine HTML (*.html)"_s;
/// %1: the code of the first sheet.
inline const QString kHtmlFileName = u"schede-%1.html"_s;
inline const QString kHtmlNotSaved = u"La pagina HTML non è stata salvata."_s;
/// %1: the file.
inline const QString kHtmlSaved = u"Pagina HTML salvata: %1"_s;

inline const QString kSheetCountFromNames = u"Una scheda per ogni nome della lista degli alunni."_s;
/// %1 the settings file, %2 why.
inline const QString kSavedChoicesNotRead = u"Le scelte salvate non si leggono dal file «%1»: %2\n"
                                            u"Si parte dalle scelte iniziali, che non saranno salvate."_s;
/// %1: what is wrong with the list, as a names file's problem is told.
inline const QString kSavedNamesDropped = u"La lista degli alunni salvata è stata tolta: letta come un file dei "
                                          u"nomi, un nome per riga, non va bene.\n%1"_s;

// --- "Difficoltà" -------------------------------------------------------------------------
inline const QString kLevelGroup = u"Difficoltà"_s;
inline const QString kTablesLabel = u"Tabelline:"_s;
inline const QString kCarriesLabel = u"Riporti:"_s;
inline const QString kCarriesAny = u"con o senza riporti"_s;
inline const QString kCarriesNone = u"senza riporti"_s;
inline const QString kCarriesSome = u"con riporti"_s;
/// %1: how many, in the local way of writing numbers.
inline const QString kPossibleOperations = u"Operazioni possibili: %1."_s;
inline const QString kOperationsWillRepeat = u"Le operazioni di una scheda si ripeteranno."_s;
inline const QString kNoPossibleOperation =
    u"Nessuna operazione possibile con queste tabelline e questi riporti: sceglierne altri."_s;
inline const QString kMultiplicandDecimalsLabel = u"Decimali del moltiplicando:"_s;
inline const QString kMultiplierDecimalsLabel = u"Decimali del moltiplicatore:"_s;
/// %1: how many decimal digits, 1 or more.
inline const QString kDecimalsOne = u"1 cifra dopo la virgola"_s;
inline const QString kDecimalsMany = u"%1 cifre dopo la virgola"_s;
inline const QString kNoDecimals = u"numeri interi"_s;
inline const QString kPowersOfTenLabel = u"Per 10, 100 e 1000 (20 righe, senza colonna)"_s;

// --- "Pagine" -----------------------------------------------------------------------------
inline const QString kPagesGroup = u"Pagine"_s;
inline const QString kSquaresLabel = u"Quadretti:"_s;
inline const QString kPlainPages = u"nessuno (pagine semplici)"_s;
inline const QString kSquares10 = u"1 cm (prima)"_s;
inline const QString kSquares5 = u"5 mm (seconda e terza)"_s;
inline const QString kSquares4 = u"4 mm (quarta e quinta)"_s;
inline const QString kShowCarries = u"Mostra i riporti"_s;
inline const QString kProvaDelNove = u"Prova del nove"_s;
inline const QString kPupilsHeading = u"Intestazione con nome, classe e data"_s;
inline const QString kPerPageLabel = u"Operazioni per pagina:"_s;
inline const QString kAsManyAsFit = u"quante ci stanno"_s;
inline const QString kTitleLabel = u"Titolo:"_s;
inline const QString kInstructionLabel = u"Consegna:"_s;
inline const QString kInstructionExample = u"per esempio: Esegui in colonna e fai la prova del nove."_s;
inline const QString kColumnLabels = u"Etichette delle colonne (k h da u)"_s;
inline const QString kColumnColours = u"Colori delle colonne"_s;
inline const QString kTimesTable = u"Tavola pitagorica"_s;
inline const QString kSupportedOperationsLabel = u"Operazioni nella versione facilitata:"_s;
inline const QString kHalfTheSheet = u"metà della scheda"_s;
/// %1 the pages of a pupil's sheet, %2 with its solutions.
inline const QString kPagesPerPupil = u"Ogni alunno: %1 (%2 con le soluzioni)"_s;
/// %1 the pages of a pupil's sheet.
inline const QString kPagesPerPupilAlone = u"Ogni alunno: %1"_s;
inline const QString kOnePage = u"1 pagina"_s;
/// %1: how many pages, more than one.
inline const QString kPages = u"%1 pagine"_s;
/// The tick box of each pupil who gets the supported version.
inline const QString kSupported = u"facilitata"_s;
inline const QString kSaveNames = u"Salva l'elenco"_s;
inline const QString kNamesNotSaved = u"L'elenco dei nomi non è stato salvato."_s;
inline const QString kSaveNamesTip = u"Riscrive il file dei nomi, con \" *\" dopo chi ha la versione facilitata"_s;
inline const QString kNamesLabel = u"Nomi degli alunni:"_s;
inline const QString kChooseNames = u"Scegli il file..."_s;
inline const QString kForgetNames = u"Togli"_s;
inline const QString kNoNames = u"nessuno (il nome si scrive a mano)"_s;
/// %1 how many names, %2 the file.
inline const QString kNamesFrom = u"%1 nomi da %2"_s;
inline const QString kNamesFileTitle = u"Nomi degli alunni"_s;
inline const QString kNamesFilter = u"Testo (*.txt);;Tutti i file (*)"_s;
inline const QString kNamesNotUsed = u"La lista degli alunni non è stata letta."_s;
/// %1 the file, %2 why.
inline const QString kNamesFileNotRead = u"Il file dei nomi «%1» non si legge: %2"_s;
/// %1: the file.
inline const QString kNamesFileMissing = u"Il file dei nomi «%1» non esiste."_s;
/// %1: the file.
inline const QString kNamesFileTooLarge = u"Il file dei nomi «%1» è troppo grande per essere una lista di alunni."_s;
/// %1: the line.
inline const QString kNamesNotUtf8 = u"La riga %1 del file dei nomi non è testo UTF-8."_s;
/// %1 the most names, %2 the line of the first name too many.
inline const QString kNamesTooMany = u"Il file dei nomi ha più di %1 nomi: quello alla riga %2 è di troppo."_s;
inline const QString kNamesFileEmpty = u"Il file dei nomi non contiene nessun nome."_s;
/// %1 the line, %2 the most characters.
inline const QString kPupilNameTooLong = u"Il nome alla riga %1 ha più di %2 caratteri."_s;
/// %1 the character, as kCharacterShown or kCharacterCode name it, %2 the line.
inline const QString kNameNotDrawable =
    u"Il carattere %1 alla riga %2 non si può stampare con i caratteri installati."_s;

// --- The conventions of the class ---------------------------------------------------------
inline const QString kConventionsGroup = u"Convenzioni"_s;
inline const QString kEmptyPlacesLabel = u"Posti vuoti a destra:"_s;
inline const QString kEmptyPlacesBlank = u"lasciati vuoti"_s;
inline const QString kEmptyPlacesDash = u"con un trattino (-)"_s;
inline const QString kEmptyPlacesZero = u"con uno zero (0)"_s;
inline const QString kZeroRowLabel = u"Riga di uno 0 nel moltiplicatore:"_s;
inline const QString kZeroRowDigit = u"un solo 0"_s;
inline const QString kZeroRowZeros = u"tanti 0 quante le cifre del moltiplicando"_s;
inline const QString kZeroRowSkip = u"nessuna riga"_s;
inline const QString kNineIsLabel = u"Nella prova del nove il 9 si scrive:"_s;
inline const QString kNineIsNine = u"9"_s;
inline const QString kNineIsZero = u"0"_s;

// --- The preview -------------------------------------------------------------------------
inline const QString kPreviewTitle = u"Anteprima - Schede per la classe"_s;
inline const QString kZoomOut = u"Riduci"_s;
inline const QString kZoomIn = u"Ingrandisci"_s;
inline const QString kFitWidth = u"Larghezza pagina"_s;
inline const QString kFitPage = u"Pagina intera"_s;
/// %1 the page shown, %2 the pages.
inline const QString kPageOf = u"Pagina %1 di %2"_s;

// --- The command line ---------------------------------------------------------------------
inline const QString kHelpUsage = u"Uso: virdamo [opzioni]\n"
                                  u"Schede di moltiplicazioni in colonna già eseguite. Senza opzioni apre la "
                                  u"finestra iniziale.\n\n"_s;
inline const QString kHelpExitStatus = u"\nStato di uscita: 0 riuscito, 1 file non scritto, 2 opzioni sbagliate.\n"_s;
inline const QString kHelpHelp = u"mostra questo aiuto ed esce"_s;
inline const QString kHelpVersion = u"mostra la versione ed esce"_s;
inline const QString kHelpPdf = u"scrive in FILE le schede per la classe, senza aprire finestre:\n"
                                u"prima le pagine per gli alunni (senza risultati), poi le\n"
                                u"soluzioni; scrive il codice di ogni scheda, uno per riga\n"
                                u"(con FILE \"-\" il PDF va sullo standard output, i codici\n"
                                u"sullo standard error)"_s;
inline const QString kHelpHtml = u"scrive in FILE le stesse schede come una pagina HTML da fare al\n"
                                 u"computer o sul tablet, anche senza rete: ogni cifra è controllata\n"
                                 u"(con --alunni ognuno sceglie il suo nome; con FILE \"-\" va sullo\n"
                                 u"standard output)"_s;
// Each help text of an option ends with its default, "%1", which the declaration fills in.
/// %1: the default.
inline const QString kHelpMultiplicand = u"cifre del moltiplicando (%1)"_s;
inline const QString kHelpMultiplier = u"cifre del moltiplicatore (%1)"_s;
inline const QString kHelpOperations = u"operazioni per scheda (%1)"_s;
/// %1: the most sheets, %2: the default.
inline const QString kHelpSheets = u"quante schede diverse, da 1 a %1 (%2)"_s;
inline const QString kHelpCode = u"rifà le schede dal codice della prima, per esempio H28T5-CY4TQ:\n"
                                 u"cifre e operazioni vengono dal codice"_s;
inline const QString kHelpNoPupils = u"solo le soluzioni"_s;
inline const QString kHelpNoSolutions = u"solo le pagine per gli alunni"_s;
inline const QString kHelpTables = u"le tabelline, cioè le cifre che il moltiplicatore può usare,\n"
                                   u"per esempio 2-5 o 2345 (%1)"_s;
/// How the help names the default of the tables.
inline const QString kEveryTable = u"tutte, 0-9"_s;
inline const QString kHelpCarries = u"solo operazioni senza riporti, solo con riporti, o qualsiasi\n"
                                    u"(%1)"_s;
inline const QString kHelpSquares = u"pagine a quadretti di 10, 5 o 4 mm (%1)"_s;
inline const QString kHelpMultiplicandDecimals = u"cifre dopo la virgola del moltiplicando, meno delle sue cifre\n"
                                                 u"(%1)"_s;
inline const QString kHelpMultiplierDecimals = u"cifre dopo la virgola del moltiplicatore, meno delle sue cifre\n"
                                               u"(%1)"_s;
inline const QString kHelpPowersOfTen = u"una scheda di 20 righe come 34,5 × 100 = ______: dieci numeri\n"
                                        u"interi e dieci decimali per 10, 100 o 1000, con le cifre di\n"
                                        u"--moltiplicando"_s;
/// How the help names pages without squares.
inline const QString kPlainPagesWords = u"pagine semplici"_s;
inline const QString kHelpShowCarries = u"con i quadretti: i riporti scritti nelle soluzioni, e le loro\n"
                                        u"righe vuote nelle pagine per gli alunni"_s;
inline const QString kHelpProva = u"con i quadretti: la croce della prova del nove accanto a ogni\n"
                                  u"operazione, riempita nelle soluzioni"_s;
/// %1: the default.
inline const QString kHelpPerPage = u"con i quadretti: al massimo N operazioni (da 1 a 20) in ogni\n"
                                    u"pagina (%1)"_s;
/// %1: the default.
inline const QString kHelpTitle = u"con i quadretti: il titolo al posto di \"SCHEDA VIRDAMO\", al\n"
                                  u"massimo 80 caratteri (%1)"_s;
/// %1: the default.
inline const QString kHelpInstruction = u"con i quadretti: una riga sotto il titolo, per esempio \"Esegui\n"
                                        u"in colonna e fai la prova del nove.\" (%1)"_s;
inline const QString kHelpColumnLabels = u"con i quadretti: \"k h da u\" sopra le colonne di ogni operazione"_s;
inline const QString kHelpColumnColours = u"con i quadretti: ogni colonna colorata appena, secondo il suo\n"
                                          u"ordine (unità, decine, centinaia, migliaia)"_s;
inline const QString kHelpTimesTable = u"con i quadretti: la tavola pitagorica nelle pagine per gli alunni"_s;
/// %1: the default.
inline const QString kHelpSupportedOperations = u"le prime N operazioni della scheda per chi ha la versione\n"
                                                u"facilitata (\" *\" dopo il nome in --alunni) (%1)"_s;
inline const QString kNoTitleWords = u"SCHEDA VIRDAMO"_s;
inline const QString kNoInstructionWords = u"nessuna"_s;
inline const QString kHelpNoHeading = u"senza la riga \"Nome ... Classe ... Data ...\" nelle pagine per\n"
                                      u"gli alunni"_s;
inline const QString kHelpEmptyPlaces = u"con i quadretti: i posti vuoti a destra di un prodotto parziale\n"
                                        u"spostato restano vuoti, o hanno un trattino o uno zero (%1)"_s;
inline const QString kHelpZeroRow = u"con i quadretti: uno 0 nel moltiplicatore dà un solo 0, una riga\n"
                                    u"di zeri, o nessuna riga (%1)"_s;
inline const QString kHelpNineIs = u"con i quadretti: il 9 nella croce della prova del nove si scrive\n"
                                   u"9 o 0 (%1)"_s;
/// %1: the most names.
inline const QString kHelpNames = u"i nomi degli alunni, uno per riga (UTF-8, al massimo %1): una\n"
                                  u"scheda per nome, col nome nella pagina e nelle soluzioni"_s;
inline const QString kHelpLavagna = u"apre la lavagna su una moltiplicazione, per esempio 2305x104\n"
                                    u"o 23,45x3,2, per svolgerla passo per passo (da 2 a 4 cifre per\n"
                                    u"1 a 3, fino a 3 e 2 dopo la virgola)"_s;
/// %1: the value given.
inline const QString kLavagnaWantsOperation =
    u"--lavagna vuole una moltiplicazione di un numero da 2 a 4 cifre per uno da 1 a 3, come 2305x104 o "
    u"23,45x3,2 (la prima cifra non è 0, fino a 3 e 2 cifre dopo la virgola), non «%1»"_s;
/// %1 the option, %2 its value, %3 the factor's digit option, %4 its value.
inline const QString kDecimalsDoNotFit = u"--%1 %2 vuole un %3 di più cifre (--%3 %4): le cifre dopo la virgola "
                                         u"sono meno delle cifre"_s;
inline const QString kPowersOfTenWithoutDecimals =
    u"--per-10-100-1000 sceglie da sé i numeri decimali: non vale con --decimali-moltiplicando né "
    u"--decimali-moltiplicatore"_s;
inline const QString kLavagnaWithoutPdf = u"--lavagna apre una finestra: non vale con --pdf né con --html"_s;
/// %1: the value given.
inline const QString kTablesWantDigits = u"--tabelline vuole delle cifre da 0 a 9, come 2-5 o 2345, non «%1»"_s;
/// %1: the option, %2 the option it needs.
inline const QString kOptionNeedsOption = u"--%1 vale solo con --%2"_s;
inline const QString kNamesWantFile = u"--alunni vuole il nome del file con i nomi degli alunni"_s;
/// %1 the option, %2 all values but the last, %3 the last, %4 the value given.
/// %1 the option, %2 the largest number, %3 the value given.
inline const QString kOptionWantsNumber = u"--%1 vuole un numero da 1 a %2, non «%3»"_s;
/// %1 the option, %2 the most characters.
inline const QString kLineTooLong = u"--%1 vuole al più %2 caratteri"_s;
/// %1 the option, %2 the character, as kCharacterShown or kCharacterCode name it.
inline const QString kLineNotDrawable = u"--%1: il carattere %2 non si può stampare"_s;
inline const QString kOptionWantsOneOf = u"--%1 vuole %2 o %3, non «%4»"_s;
inline const QString kPdfWantsFile = u"--pdf vuole il nome di un file, o - per lo standard output"_s;
inline const QString kHtmlWantsFile = u"--html vuole il nome di un file, o - per lo standard output"_s;
inline const QString kHtmlWithoutPowersOfTen =
    u"--html fa le pagine delle operazioni in colonna: non vale con --per-10-100-1000"_s;
inline const QString kBothOnStandardOutput = u"--pdf - e --html - insieme: lo standard output è uno solo"_s;
/// %1 the most sheets, %2 the value given.
inline const QString kSheetsWantsNumber = u"--schede vuole un numero da 1 a %1, non «%2»"_s;
/// %1 the sheets asked for, %2 the names in the file.
inline const QString kSheetsContradictNames =
    u"--schede %1 contraddice --alunni: le schede sono tante quanti i nomi, e il file ne ha %2"_s;
/// %1 the code given, %2 what is wrong with it.
inline const QString kCodeNotValid = u"--codice «%1» non vale: %2"_s;
/// %1 the option, %2 its value, %3 the code, %4 the code's own value.
inline const QString kOptionContradictsCode = u"--%1 %2 contraddice il codice %3, che vuole %4"_s;
inline const QString kNoKindOfPageLeft = u"--senza-alunni e --senza-soluzioni insieme non lasciano nessuna pagina"_s;
inline const QString kUnknownOption = u"opzione sconosciuta: %1 (virdamo --help elenca le opzioni)"_s;
inline const QString kOptionWantsValue = u"manca il valore dell'opzione %1"_s;
inline const QString kUnexpectedArgument = u"argomento inatteso: «%1» (virdamo --help elenca le opzioni)"_s;
/// %1: the option's long name.
inline const QString kOptionOnlyWithPdf = u"--%1 vale solo con --pdf FILE o --html FILE"_s;
/// %1 the file, %2 why.
inline const QString kFileNotWritten = u"virdamo: «%1» non è stato scritto: %2"_s;
/// %1: why.
inline const QString kPdfNotWritten = u"virdamo: il PDF non è stato scritto: %1"_s;
inline const QString kStandardOutputClosed = u"virdamo: Lo standard output è chiuso: il PDF non è stato scritto."_s;
/// %1: why.
inline const QString kHtmlNotWritten = u"virdamo: la pagina HTML non è stata scritta: %1"_s;
inline const QString kStandardOutputClosedHtml =
    u"virdamo: Lo standard output è chiuso: la pagina HTML non è stata scritta."_s;

inline const QString kNoDisplay = u"virdamo: nessuno schermo su cui aprire le finestre (DISPLAY non è impostata): "
                                  u"avviare virdamo da una sessione grafica, oppure usare virdamo --pdf FILE per le "
                                  u"schede senza finestre."_s;
/// %1: the display named in the environment.
inline const QString kDisplayUnreachable = u"virdamo: non si riesce ad aprire lo schermo «%1»: avviare virdamo da una "
                                           u"sessione grafica, oppure usare virdamo --pdf FILE per le schede senza "
                                           u"finestre."_s;

// --- "Lavagna": one operation worked out step by step on the class whiteboard --------------
inline const QString kLavagnaTitle = u"Lavagna"_s;
inline const QString kLavagnaPlaceTip = u"Doppio clic: svolgi questa moltiplicazione alla lavagna"_s;
inline const QString kLavagnaCommandTip = u"Svolgi alla lavagna la prima moltiplicazione della scheda"_s;
inline const QString kStepBack = u"◀ Indietro"_s;
inline const QString kStepBackTip = u"Un passo indietro (freccia a sinistra, Pag su, Backspace)"_s;
inline const QString kStepForward = u"Avanti ▶"_s;
inline const QString kStepForwardTip = u"Un passo avanti (freccia a destra, Pag giù, spazio, Invio)"_s;
inline const QString kWholeOperation = u"Tutto"_s;
inline const QString kWholeOperationTip = u"L'operazione finita, con la prova del nove (Fine)"_s;
inline const QString kFromTheStart = u"Da capo"_s;
inline const QString kFromTheStartTip = u"Di nuovo dall'inizio (Home)"_s;
inline const QString kAnotherOperation = u"Nuova"_s;
inline const QString kAnotherOperationTip = u"Un'altra moltiplicazione con le stesse cifre (N)"_s;
inline const QString kPupilTries = u"Prova tu"_s;
inline const QString kPupilTriesTip = u"L'alunno scrive le cifre, una alla volta (P)"_s;
inline const QString kCloseTip = u"Chiude la lavagna (Esc)"_s;
/// %1 the multiplicand, %2 the multiplier.
inline const QString kOpening = u"Moltiplichiamo %1 × %2"_s;
// Each caption is one sentence with one colon at most. Numbers of four digits or more are
// written with the thousands point: "Moltiplichiamo 2.305 × 104".
/// %1 an equality, %2 the digit or number written.
inline const QString kWrite = u"%1: scrivo %2"_s;
/// %1 an equality, %2 the digit written, %3 the carry.
inline const QString kWriteAndCarry = u"%1: scrivo %2 e riporto %3"_s;
// A row of partial products starts by naming the place of the multiplier's digit, then
// says its first step with a comma where the step alone has its colon. %1 the digit.
inline const QString kMultiplyByUnits = u"Ora moltiplico per le unità: %1"_s;
inline const QString kMultiplyByTens = u"Ora moltiplico per le decine: %1"_s;
inline const QString kMultiplyByHundreds = u"Ora moltiplico per le centinaia: %1"_s;
/// %1 the place named, %2 the first step of its row.
inline const QString kRowStart = u"%1; %2"_s;
/// %1 an equality, %2 the digit or number written: kWrite after a colon.
inline const QString kThenWrite = u"%1, scrivo %2"_s;
/// %1 an equality, %2 the digit written, %3 the carry: kWriteAndCarry after a colon.
inline const QString kThenWriteAndCarry = u"%1, scrivo %2 e riporto %3"_s;
/// %1 the digit of a column that has nothing else to add.
inline const QString kBringDown = u"Abbasso %1"_s;
/// %1 the product.
inline const QString kProductIs = u"Il prodotto è %1"_s;
inline const QString kWrittenAsWhole = u"Scrivo i numeri come se non ci fossero le virgole"_s;
/// %1 the multiplicand's decimal digits, %2 the multiplier's, %3 both.
inline const QString kDecimalsCounted = u"Conto le cifre decimali: %1 + %2 = %3"_s;
/// %1 the product's decimal digits, %2 the product with its comma.
inline const QString kCommaPlaced = u"Metto la virgola a %1 cifre da destra: %2"_s;
inline const QString kCommaPlacedOne = u"Metto la virgola a 1 cifra da destra: %1"_s;
inline const QString kHintComma = u"quante cifre ci sono dopo la virgola nei due numeri?"_s;
inline const QString kTypeComma =
    u"Tocca a te: tocca il quadretto dopo cui va la virgola, o scrivi quante cifre decimali ha il prodotto"_s;
// The boxes of the prova del nove cross. %1 what fills the box.
inline const QString kProvaMultiplicand = u"Moltiplicando, %1"_s;
inline const QString kProvaMultiplier = u"Moltiplicatore, %1"_s;
inline const QString kProvaTopBoxes = u"Le due cifre in alto, %1"_s;
inline const QString kProvaProduct = u"Prodotto, %1"_s;
/// %1 a number of one digit, which goes in its box as it is.
inline const QString kProvaOneDigit = u"%1, una cifra sola: scrivo %1"_s;
/// %1 the bottom left box, %2 the bottom right one.
inline const QString kProvaHolds = u"%1 = %2: la prova è giusta"_s;
inline const QString kProvaFails = u"%1 ≠ %2: la prova è sbagliata"_s;
// Hints after a wrong key: they never tell a result still to be typed.
/// %1 the terms of an equality combined, "5 × 4".
inline const QString kHintEquality = u"%1 = ?"_s;
/// %1: the mark, "-" or "0".
inline const QString kPlacesMarked = u"Nei posti vuoti a destra scrivo %1"_s;
/// %1 the multiplicand, %2 its row of zeros.
inline const QString kZerosWritten = u"%1 × 0 = 0: scrivo %2"_s;
inline const QString kHintPlaces = u"riempi i posti vuoti a destra"_s;
inline const QString kHintBringDown = u"Abbasso la cifra che sta sopra"_s;
inline const QString kHintOneDigit = u"una cifra sola, si scrive così com'è"_s;
/// %1 the hint of the step, from a small letter.
inline const QString kTryAgain = u"Riprova: %1"_s;
inline const QString kTypeDigit = u"Tocca a te: scrivi la cifra nel quadretto azzurro"_s;
inline const QString kTypeCarry = u"Tocca a te: scrivi il riporto nel quadretto azzurro"_s;
// Praise that fits a girl and a boy alike.
/// %1 the keys typed right at the first try, %2 the keys of the operation.
inline const QString kWellDone = u"Ottimo lavoro! %1 cifre giuste su %2 al primo tentativo"_s;
inline const QString kWellDoneOneRight = u"Ottimo lavoro! 1 cifra giusta su %1 al primo tentativo"_s;

}  // namespace virdamo::texts
