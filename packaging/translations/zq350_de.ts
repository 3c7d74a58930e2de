<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>zq350</name>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe zeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version zeigen und beenden.</translation>
    </message>
    <message>
        <source>Start with the channel setup in FILE, which is then the one kept.</source>
        <translation>Mit der Kanalkonfiguration in FILE starten, die dann beibehalten wird.</translation>
    </message>
    <message>
        <source>Reads captures out of the ZQ350 logic analyser and shows capture files as a timing
diagram and as a hex listing.</source>
        <translation>Liest Aufzeichnungen aus dem Logikanalysator ZQ350 und zeigt Aufzeichnungsdateien
als Zeitdiagramm und als Hex-Liste.</translation>
    </message>
    <message>
        <source>A capture file to open at start, as &quot;Load  from Disk&quot; opens it.</source>
        <translation>Eine Aufzeichnungsdatei, die beim Start geöffnet wird, wie „Datei laden“ sie öffnet.</translation>
    </message>
    <message>
        <source>Only one FILE can be opened.</source>
        <translation>Es kann nur eine FILE geöffnet werden.</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>Standardausgabe</translation>
    </message>
    <message>
        <source>Try &apos;zq350 --help&apos;.</source>
        <translation>Siehe &apos;zq350 --help&apos;.</translation>
    </message>
    <message>
        <source>--port needs the path of a serial port.</source>
        <translation>--port braucht den Pfad einer seriellen Schnittstelle.</translation>
    </message>
    <message>
        <source>Read from the serial port PATH (a bare name is one under /dev), which is then the one kept. Default: the port chosen last, else /dev/ttyUSB0.</source>
        <translation>Von der seriellen Schnittstelle PATH lesen (ein Name ohne Verzeichnis bezieht sich auf /dev), die dann beibehalten wird. Standard: die zuletzt gewählte Schnittstelle, sonst /dev/ttyUSB0.</translation>
    </message>
</context>
<context>
    <name>zq::AnnotationList</name>
    <message>
        <source>(unreliable)</source>
        <translation>(unzuverlässig)</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Abtastwert</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Decoder</source>
        <translation>Decoder</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Annotations</source>
        <translation>Annotationen</translation>
    </message>
    <message>
        <source>Search the annotations</source>
        <translation>Annotationen durchsuchen</translation>
    </message>
    <message>
        <source>Export CSV ...</source>
        <translation>CSV exportieren ...</translation>
    </message>
    <message>
        <source>Write the annotations listed to a CSV file</source>
        <translation>Die aufgelisteten Annotationen in eine CSV-Datei schreiben</translation>
    </message>
    <message>
        <source>Click a line to centre the diagram on it</source>
        <translation>Eine Zeile anklicken, um das Diagramm darauf zu zentrieren</translation>
    </message>
</context>
<context>
    <name>zq::BusDialog</name>
    <message>
        <source>Bus &amp;name:</source>
        <translation>Bus&amp;name:</translation>
    </message>
    <message>
        <source>&amp;Channels, the top one most significant (Shift+click selects a range):</source>
        <translation>&amp;Kanäle, der oberste ist der höchstwertige (Umschalt+Klick wählt einen Bereich):</translation>
    </message>
    <message>
        <source>(hidden)</source>
        <translation>(ausgeblendet)</translation>
    </message>
    <message>
        <source>Make Bus</source>
        <translation>Bus bilden</translation>
    </message>
</context>
<context>
    <name>zq::CaptureExport</name>
    <message>
        <source>Export VCD as ...</source>
        <translation>VCD exportieren unter ...</translation>
    </message>
    <message>
        <source>VCD Files (*.vcd)|*.vcd|All Files (*.*)|*.*</source>
        <translation>VCD-Dateien (*.vcd)|*.vcd|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Export CSV as ...</source>
        <translation>CSV exportieren unter ...</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv|All Files (*.*)|*.*</source>
        <translation>CSV-Dateien (*.csv)|*.csv|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Save Setup as ...</source>
        <translation>Konfiguration speichern unter ...</translation>
    </message>
    <message>
        <source>Setup Files (*.json)|*.json|All Files (*.*)|*.*</source>
        <translation>Konfigurationsdateien (*.json)|*.json|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Export Picture as ...</source>
        <translation>Bild exportieren unter ...</translation>
    </message>
    <message>
        <source>PNG Pictures (*.png)|*.png|All Files (*.*)|*.*</source>
        <translation>PNG-Bilder (*.png)|*.png|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>No capture is open.</source>
        <translation>Es ist keine Aufzeichnung geöffnet.</translation>
    </message>
    <message>
        <source>%1: the picture cannot be encoded</source>
        <translation>%1: Das Bild lässt sich nicht kodieren</translation>
    </message>
    <message>
        <source>Export Annotations as ...</source>
        <translation>Annotationen exportieren unter ...</translation>
    </message>
</context>
<context>
    <name>zq::ChannelsDialog</name>
    <message>
        <source>%1 (channels %2)</source>
        <translation>%1 (Kanäle %2)</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Ausgeblendet</translation>
    </message>
    <message>
        <source>Drag a row, or use Move Up and Move Down, to change the order of the rows</source>
        <translation>Eine Zeile ziehen oder Nach oben und Nach unten benutzen, um die Reihenfolge der Zeilen zu ändern</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Buses</source>
        <translation>Busse</translation>
    </message>
    <message>
        <source>Bus name</source>
        <translation>Busname</translation>
    </message>
    <message>
        <source>&amp;Add Bus from Selected Rows</source>
        <translation>Bus aus gewählten Zeilen &amp;hinzufügen</translation>
    </message>
    <message>
        <source>A bus of the channels selected above; the top row is the most significant</source>
        <translation>Ein Bus aus den oben gewählten Kanälen; die oberste Zeile ist die höchstwertige</translation>
    </message>
    <message>
        <source>Re&amp;name Bus</source>
        <translation>Bus umbe&amp;nennen</translation>
    </message>
    <message>
        <source>De&amp;lete Bus</source>
        <translation>Bus &amp;löschen</translation>
    </message>
    <message>
        <source>Sample &amp;rate:</source>
        <translation>&amp;Abtastrate:</translation>
    </message>
    <message>
        <source>none: times in samples</source>
        <translation>keine: Zeiten in Abtastwerten</translation>
    </message>
    <message>
        <source>For example 1 MHz, 250k or 1000000; empty for none</source>
        <translation>Zum Beispiel 1 MHz, 250k oder 1000000; leer für keine</translation>
    </message>
    <message>
        <source>Up to 32 characters without &apos;:&apos;, &apos;=&apos; or &apos;,&apos;; empty for the number</source>
        <translation>Bis zu 32 Zeichen ohne &apos;:&apos;, &apos;=&apos; oder &apos;,&apos;; leer für die Nummer</translation>
    </message>
    <message>
        <source>Select the bus to rename.</source>
        <translation>Wählen Sie den Bus, der umbenannt werden soll.</translation>
    </message>
    <message>
        <source>Select the bus to delete.</source>
        <translation>Wählen Sie den Bus, der gelöscht werden soll.</translation>
    </message>
    <message>
        <source>Name of channel %1: %2</source>
        <translation>Name von Kanal %1: %2</translation>
    </message>
    <message>
        <source>Sample rate: %1</source>
        <translation>Abtastrate: %1</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
</context>
<context>
    <name>zq::Chart</name>
    <message>
        <source>ZQ350 Logic Analyser - Timing Diagram</source>
        <translation>ZQ350 Logikanalysator - Zeitdiagramm</translation>
    </message>
    <message>
        <source> - Timing Diagram</source>
        <translation> - Zeitdiagramm</translation>
    </message>
</context>
<context>
    <name>zq::ChartArea</name>
    <message>
        <source>Bus %1</source>
        <translation>Bus %1</translation>
    </message>
    <message>
        <source>Annotations %1</source>
        <translation>Annotationen %1</translation>
    </message>
</context>
<context>
    <name>zq::ChartGestures</name>
    <message>
        <source>Measurement under the pointer</source>
        <translation>Messung unter dem Mauszeiger</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>The whole capture: the handle is the window shown; drag it to move</source>
        <translation>Die ganze Aufzeichnung: Der Griff ist der gezeigte Ausschnitt; zum Verschieben ziehen</translation>
    </message>
    <message>
        <source>%1 edge between the cursors</source>
        <translation>%1 Flanke zwischen den Cursorn</translation>
    </message>
    <message>
        <source>%1 edges between the cursors</source>
        <translation>%1 Flanken zwischen den Cursorn</translation>
    </message>
    <message>
        <source>On the chart
  Wheel: zoom in or out around the pointer
  Shift+wheel or sideways wheel: step the window back or forward
  Drag: pan the window
  Ctrl+drag: zoom to the dragged range
  Click: put cursor A there
  Right-click or Shift+click: put cursor B there
  Drag a cursor&apos;s line: move that cursor
  Pointer: the pulse, bus value or annotation under it, beside it

Keys, with the chart focused (Tab to it, or click it)
  Left, Right: step the window back or forward
  +, -: zoom in or out
  Home, End: the capture&apos;s start or end
  N, Shift+N: cursor A to the next or previous edge of the channel under the pointer
  Enter in a box: apply it; Esc: stop a device read

On the channel labels
  Drag a label up or down: move its row

Ctrl+O opens a capture, Ctrl+Q quits.</source>
        <translation>Im Diagramm
  Mausrad: um den Mauszeiger vergrößern oder verkleinern
  Umschalt+Mausrad oder seitliches Rad: Ausschnitt zurück- oder vorschieben
  Ziehen: Ausschnitt verschieben
  Strg+Ziehen: auf den aufgezogenen Bereich vergrößern
  Klick: Cursor A dorthin setzen
  Rechtsklick oder Umschalt+Klick: Cursor B dorthin setzen
  Linie eines Cursors ziehen: diesen Cursor verschieben
  Mauszeiger: Puls, Buswert oder Annotation darunter, daneben angezeigt

Tasten, wenn das Diagramm den Fokus hat (mit Tab oder per Klick)
  Links, Rechts: Ausschnitt zurück- oder vorschieben
  +, -: vergrößern oder verkleinern
  Pos1, Ende: Anfang oder Ende der Aufzeichnung
  N, Umschalt+N: Cursor A zur nächsten oder vorigen Flanke des Kanals unter dem Mauszeiger
  Eingabetaste in einem Feld: übernehmen; Esc: Lesen vom Gerät stoppen

Auf den Kanalbeschriftungen
  Beschriftung nach oben oder unten ziehen: ihre Zeile verschieben

Strg+O öffnet eine Aufzeichnung, Strg+Q beendet.</translation>
    </message>
</context>
<context>
    <name>zq::DecodeSession</name>
    <message>
        <source>The decoders need a sample rate: View &gt; Sample Rate ... sets one.</source>
        <translation>Die Decoder brauchen eine Abtastrate: Ansicht &gt; Abtastrate ... legt sie fest.</translation>
    </message>
    <message>
        <source>The protocol decoders cannot be loaded.</source>
        <translation>Die Protokolldecoder lassen sich nicht laden.</translation>
    </message>
</context>
<context>
    <name>zq::DecoderDialog</name>
    <message>
        <source>Edit Decoder</source>
        <translation>Decoder bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <source>name, description or protocol</source>
        <translation>Name, Beschreibung oder Protokoll</translation>
    </message>
    <message>
        <source>Decoders</source>
        <translation>Decoder</translation>
    </message>
    <message>
        <source>&amp;On:</source>
        <translation>&amp;Eingabe:</translation>
    </message>
    <message>
        <source>Sample &amp;rate (e.g. 1 MHz):</source>
        <translation>&amp;Abtastrate (z. B. 1 MHz):</translation>
    </message>
    <message>
        <source>The decoders time the signals by it; the setup keeps it</source>
        <translation>Die Decoder bestimmen damit die Zeiten der Signale; die Konfiguration behält sie</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message>
        <source>The output of %1</source>
        <translation>Die Ausgabe von %1</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keiner)</translation>
    </message>
    <message>
        <source>Default: %1</source>
        <translation>Standardwert: %1</translation>
    </message>
    <message>
        <source>Choose a decoder</source>
        <translation>Wählen Sie einen Decoder</translation>
    </message>
    <message>
        <source>%1 decodes the output of another decoder, and none here gives it</source>
        <translation>%1 decodiert die Ausgabe eines anderen Decoders, und keiner hier liefert sie</translation>
    </message>
    <message>
        <source>Add Decoder</source>
        <translation>Decoder hinzufügen</translation>
    </message>
</context>
<context>
    <name>zq::DeviceSession</name>
    <message>
        <source>Break Received</source>
        <translation>Break empfangen</translation>
    </message>
    <message>
        <source>CTS Timeout</source>
        <translation>CTS-Zeitüberschreitung</translation>
    </message>
    <message>
        <source>DSR Timeout</source>
        <translation>DSR-Zeitüberschreitung</translation>
    </message>
    <message>
        <source>Framing Error</source>
        <translation>Rahmenfehler</translation>
    </message>
    <message>
        <source>Overrun Error</source>
        <translation>Überlauffehler</translation>
    </message>
    <message>
        <source>Carrier Detect Timeout</source>
        <translation>CD-Zeitüberschreitung (Carrier Detect)</translation>
    </message>
    <message>
        <source>Receive Buffer Overflow</source>
        <translation>Überlauf des Empfangspuffers</translation>
    </message>
    <message>
        <source>Parity Error</source>
        <translation>Paritätsfehler</translation>
    </message>
    <message>
        <source>Transmit Buffer Full</source>
        <translation>Sendepuffer voll</translation>
    </message>
    <message>
        <source>Error retrieving DCB</source>
        <translation>Fehler beim Lesen des DCB</translation>
    </message>
    <message>
        <source>Unknown error or event</source>
        <translation>Unbekannter Fehler oder unbekanntes Ereignis</translation>
    </message>
    <message>
        <source>The port belongs to the group dialout. Add yourself once with
    sudo usermod -aG dialout $USER
and log in again.</source>
        <translation>Die Schnittstelle gehört der Gruppe dialout. Treten Sie ihr einmal bei mit
    sudo usermod -aG dialout $USER
und melden Sie sich neu an.</translation>
    </message>
    <message>
        <source>Is the ZQ350 connected?</source>
        <translation>Ist der ZQ350 angeschlossen?</translation>
    </message>
    <message>
        <source>What arrived is kept in %1.</source>
        <translation>Was angekommen ist, bleibt in %1 erhalten.</translation>
    </message>
    <message>
        <source>What arrived until then is kept in that file; %1 was left as it was.</source>
        <translation>Was bis dahin angekommen ist, bleibt in dieser Datei erhalten; %1 blieb unverändert.</translation>
    </message>
    <message>
        <source>Refresh? (file being viewed) - %1?</source>
        <translation>Aktualisieren? (angezeigte Datei) - %1?</translation>
    </message>
    <message>
        <source>Save ZQ350 File as ...</source>
        <translation>ZQ350-Datei speichern unter ...</translation>
    </message>
    <message>
        <source>Text Files (*.TXT)|*.txt|All Files (*.*)|*.*</source>
        <translation>Textdateien (*.TXT)|*.txt|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Click Cancel to quit, OK to ignore.</source>
        <translation>Abbrechen beendet das Lesen, OK ignoriert den Fehler.</translation>
    </message>
    <message>
        <source>Waiting for ZQ350 ...</source>
        <translation>Warte auf ZQ350 ...</translation>
    </message>
    <message>
        <source>Receiving from ZQ350: %1 bytes</source>
        <translation>Empfang vom ZQ350: %1 Bytes</translation>
    </message>
    <message>
        <source>Receiving from ZQ350: %1 bytes, line %2</source>
        <translation>Empfang vom ZQ350: %1 Bytes, Zeile %2</translation>
    </message>
    <message>
        <source>Change in CTS Detected</source>
        <translation>Änderung an CTS erkannt</translation>
    </message>
    <message>
        <source>Change in DSR Detected</source>
        <translation>Änderung an DSR erkannt</translation>
    </message>
    <message>
        <source>Change in CD Detected</source>
        <translation>Änderung an CD erkannt</translation>
    </message>
    <message>
        <source>The Phone is Ringing</source>
        <translation>Das Telefon klingelt</translation>
    </message>
    <message>
        <source>End of File Detected</source>
        <translation>Dateiende erkannt</translation>
    </message>
</context>
<context>
    <name>zq::Dialogs</name>
    <message>
        <source>Replace existing file - %1?</source>
        <translation>Vorhandene Datei ersetzen - %1?</translation>
    </message>
</context>
<context>
    <name>zq::HexList</name>
    <message>
        <source>Hex Listing</source>
        <translation>Hex-Liste</translation>
    </message>
    <message>
        <source>Listing</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Show Graph</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Back to the timing diagram, with the window last applied here</source>
        <translation>Zurück zum Zeitdiagramm, mit dem hier zuletzt übernommenen Ausschnitt</translation>
    </message>
    <message>
        <source>The window&apos;s sample words: line address, sample, hex digits, bits</source>
        <translation>Die Wörter des Ausschnitts: Zeilenadresse, Abtastwert, Hex-Ziffern, Bits</translation>
    </message>
    <message>
        <source>Listing title</source>
        <translation>Titel der Liste</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>zq::LibraryEngine</name>
    <message>
        <source>The protocol decoders cannot be loaded: %1.</source>
        <translation>Die Protokolldecoder lassen sich nicht laden: %1.</translation>
    </message>
</context>
<context>
    <name>zq::OutputFile</name>
    <message>
        <source>nothing written</source>
        <translation>nichts geschrieben</translation>
    </message>
    <message>
        <source>is the capture this is made from; not overwritten</source>
        <translation>ist die Aufzeichnung, aus der dies entsteht; nicht überschrieben</translation>
    </message>
    <message>
        <source>is a pipe or socket, whose reader could hold the program up; not written</source>
        <translation>ist eine Pipe oder ein Socket, deren Leser das Programm aufhalten könnte; nicht geschrieben</translation>
    </message>
    <message>
        <source>is neither a regular file nor a character device; not written</source>
        <translation>ist weder eine reguläre Datei noch ein zeichenorientiertes Gerät; nicht geschrieben</translation>
    </message>
    <message>
        <source>is also another output of this export; not written</source>
        <translation>ist auch eine andere Ausgabe dieses Exports; nicht geschrieben</translation>
    </message>
    <message>
        <source>is no longer a character device; not written</source>
        <translation>ist kein zeichenorientiertes Gerät mehr; nicht geschrieben</translation>
    </message>
</context>
<context>
    <name>zq::PortChoice</name>
    <message>
        <source>No serial port was found.</source>
        <translation>Es wurde keine serielle Schnittstelle gefunden.</translation>
    </message>
    <message>
        <source>Serial ports found:</source>
        <translation>Gefundene serielle Schnittstellen:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>Choose the port under Device or beside &quot;Read  from ZQ350&quot;.</source>
        <translation>Wählen Sie die Schnittstelle im Menü Gerät oder neben „Vom ZQ350 lesen“.</translation>
    </message>
    <message>
        <source>The port belongs to the group %1. Add yourself once with
    sudo usermod -aG %1 $USER
and log in again.</source>
        <translation>Die Schnittstelle gehört der Gruppe %1. Treten Sie ihr einmal bei mit
    sudo usermod -aG %1 $USER
und melden Sie sich neu an.</translation>
    </message>
    <message>
        <source>Only its owner may read it. A udev rule can let you, as
/usr/share/doc/zq350/udev/60-zq350.rules shows for a serial adapter.</source>
        <translation>Nur ihr Eigentümer darf sie lesen. Eine udev-Regel kann es Ihnen erlauben, wie
/usr/share/doc/zq350/udev/60-zq350.rules für einen seriellen Adapter zeigt.</translation>
    </message>
    <message>
        <source>serial %1</source>
        <translation>Seriennummer %1</translation>
    </message>
    <message>
        <source>USB vendor %1</source>
        <translation>USB-Hersteller %1</translation>
    </message>
    <message>
        <source>USB product %1</source>
        <translation>USB-Produkt %1</translation>
    </message>
    <message>
        <source> (default)</source>
        <translation> (Standard)</translation>
    </message>
    <message>
        <source>Is the ZQ350 connected?</source>
        <translation>Ist der ZQ350 angeschlossen?</translation>
    </message>
    <message>
        <source>%1 is not a serial port.</source>
        <translation>%1 ist keine serielle Schnittstelle.</translation>
    </message>
</context>
<context>
    <name>zq::QtDialogs</name>
    <message>
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
</context>
<context>
    <name>zq::Readout</name>
    <message>
        <source>%1 sample</source>
        <translation>%1 Abtastwert</translation>
    </message>
    <message>
        <source>%1 samples</source>
        <translation>%1 Abtastwerte</translation>
    </message>
    <message>
        <source>touches damaged or missing samples</source>
        <translation>berührt beschädigte oder fehlende Abtastwerte</translation>
    </message>
    <message>
        <source>from before the capture&apos;s start</source>
        <translation>beginnt vor der Aufzeichnung</translation>
    </message>
    <message>
        <source>past the capture&apos;s end</source>
        <translation>reicht über das Ende der Aufzeichnung</translation>
    </message>
    <message>
        <source>high</source>
        <translation>High</translation>
    </message>
    <message>
        <source>low</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>period %1</source>
        <translation>Periode %1</translation>
    </message>
    <message>
        <source>duty %1 %</source>
        <translation>Tastgrad %1 %</translation>
    </message>
    <message>
        <source>holds %1</source>
        <translation>Dauer %1</translation>
    </message>
    <message>
        <source>Sample %1 at Trig</source>
        <translation>Abtastwert %1 am Trig</translation>
    </message>
    <message>
        <source>Sample %1 (Trig %2)</source>
        <translation>Abtastwert %1 (Trig %2)</translation>
    </message>
    <message>
        <source>beyond the capture</source>
        <translation>außerhalb der Aufzeichnung</translation>
    </message>
    <message>
        <source>Word %1</source>
        <translation>Wort %1</translation>
    </message>
    <message>
        <source>no word</source>
        <translation>kein Wort</translation>
    </message>
    <message>
        <source>Channel %1: %2</source>
        <translation>Kanal %1: %2</translation>
    </message>
    <message>
        <source>unreliable</source>
        <translation>unzuverlässig</translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation>Kanal %1</translation>
    </message>
    <message>
        <source>at Trig</source>
        <translation>am Trig</translation>
    </message>
    <message>
        <source>Trig %1</source>
        <translation>Trig %1</translation>
    </message>
    <message>
        <source>Sample %1, %2</source>
        <translation>Abtastwert %1, %2</translation>
    </message>
    <message>
        <source>Samples %1 to %2, %3, %4 long</source>
        <translation>Abtastwerte %1 bis %2, %3, %4 lang</translation>
    </message>
    <message>
        <source>unreliable: over damaged or missing samples</source>
        <translation>unzuverlässig: über beschädigten oder fehlenden Abtastwerten</translation>
    </message>
</context>
<context>
    <name>zq::Setup</name>
    <message>
        <source>a name holds printable ASCII characters only</source>
        <translation>ein Name enthält nur druckbare ASCII-Zeichen</translation>
    </message>
    <message>
        <source>a name is at most %1 characters</source>
        <translation>ein Name hat höchstens %1 Zeichen</translation>
    </message>
    <message>
        <source>a name may not hold &apos;:&apos;, &apos;=&apos; or &apos;,&apos;: they separate names from values where names are written out</source>
        <translation>ein Name darf kein &apos;:&apos;, &apos;=&apos; oder &apos;,&apos; enthalten: Sie trennen Namen von Werten, wo Namen ausgeschrieben werden</translation>
    </message>
    <message>
        <source>there is no channel %1</source>
        <translation>es gibt keinen Kanal %1</translation>
    </message>
    <message>
        <source>a bus needs a name</source>
        <translation>ein Bus braucht einen Namen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names another bus</source>
        <translation>„%1“ ist schon der Name eines anderen Busses</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the label of channel %2</source>
        <translation>„%1“ ist die Beschriftung von Kanal %2</translation>
    </message>
    <message>
        <source>there is no row %1</source>
        <translation>es gibt keine Zeile %1</translation>
    </message>
    <message>
        <source>a bus needs at least two channels</source>
        <translation>ein Bus braucht mindestens zwei Kanäle</translation>
    </message>
    <message>
        <source>channel %1 is in the bus twice</source>
        <translation>Kanal %1 ist zweimal im Bus</translation>
    </message>
    <message>
        <source>there is no such bus</source>
        <translation>diesen Bus gibt es nicht</translation>
    </message>
    <message>
        <source>an object {...} expected</source>
        <translation>ein Objekt {...} erwartet</translation>
    </message>
    <message>
        <source>a list [...] expected</source>
        <translation>eine Liste [...] erwartet</translation>
    </message>
    <message>
        <source>%1 is not a channel: channels are 0 to 15</source>
        <translation>%1 ist kein Kanal: Kanäle sind 0 bis 15</translation>
    </message>
    <message>
        <source>a name in quotes expected</source>
        <translation>ein Name in Anführungszeichen erwartet</translation>
    </message>
    <message>
        <source>&quot;channel&quot; missing: which channel it describes</source>
        <translation>&quot;channel&quot; fehlt: welchen Kanal der Eintrag beschreibt</translation>
    </message>
    <message>
        <source>channel %1 is described twice</source>
        <translation>Kanal %1 ist zweimal beschrieben</translation>
    </message>
    <message>
        <source>true or false expected</source>
        <translation>true oder false erwartet</translation>
    </message>
    <message>
        <source>&quot;name&quot; missing: a bus needs a name</source>
        <translation>&quot;name&quot; fehlt: ein Bus braucht einen Namen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names an earlier bus too</source>
        <translation>„%1“ ist auch der Name eines früheren Busses</translation>
    </message>
    <message>
        <source>&quot;channels&quot; missing: a bus needs channels</source>
        <translation>&quot;channels&quot; fehlt: ein Bus braucht Kanäle</translation>
    </message>
    <message>
        <source>a bus needs at least one channel</source>
        <translation>ein Bus braucht mindestens einen Kanal</translation>
    </message>
    <message>
        <source>a setup is an object {...}</source>
        <translation>eine Konfiguration ist ein Objekt {...}</translation>
    </message>
    <message>
        <source>a number of hertz expected</source>
        <translation>eine Zahl in Hertz erwartet</translation>
    </message>
    <message>
        <source>%1: a sample rate must be above 0</source>
        <translation>%1: eine Abtastrate muss über 0 liegen</translation>
    </message>
    <message>
        <source>channel %1 is listed twice</source>
        <translation>Kanal %1 ist zweimal aufgeführt</translation>
    </message>
    <message>
        <source>nested too deeply</source>
        <translation>zu tief verschachtelt</translation>
    </message>
    <message>
        <source>%1: line %2: %3</source>
        <translation>%1: Zeile %2: %3</translation>
    </message>
    <message>
        <source>no sample rate given</source>
        <translation>keine Abtastrate angegeben</translation>
    </message>
    <message>
        <source>%1 is not a sample rate: a number of hertz, e.g. 1 MHz or 250k</source>
        <translation>%1 ist keine Abtastrate: eine Zahl in Hertz, z. B. 1 MHz oder 250k</translation>
    </message>
    <message>
        <source>%1: &apos;m&apos; would be milli; write M for mega</source>
        <translation>%1: &apos;m&apos; wäre Milli; für Mega M schreiben</translation>
    </message>
    <message>
        <source>%1: unknown unit; write Hz, kHz, MHz or GHz, or nothing for Hz</source>
        <translation>%1: unbekannte Einheit; Hz, kHz, MHz oder GHz schreiben, oder nichts für Hz</translation>
    </message>
    <message>
        <source>%1: too large for a sample rate</source>
        <translation>%1: zu groß für eine Abtastrate</translation>
    </message>
    <message>
        <source>%1: too small for a sample rate</source>
        <translation>%1: zu klein für eine Abtastrate</translation>
    </message>
    <message>
        <source>one of %1 expected</source>
        <translation>einer der Werte %1 erwartet</translation>
    </message>
    <message>
        <source>a whole number expected</source>
        <translation>eine ganze Zahl erwartet</translation>
    </message>
    <message>
        <source>a number expected</source>
        <translation>eine Zahl erwartet</translation>
    </message>
    <message>
        <source>%1&apos;s channel %2 needs one of ours</source>
        <translation>%1: Kanal %2 muss einem unserer Kanäle zugeordnet sein</translation>
    </message>
    <message>
        <source>Sample rate: %1</source>
        <translation>Abtastrate: %1</translation>
    </message>
    <message>
        <source>A decoder needs the capture&apos;s sample rate</source>
        <translation>Ein Decoder braucht die Abtastrate der Aufzeichnung</translation>
    </message>
    <message>
        <source>that decoder is no longer in the setup</source>
        <translation>dieser Decoder ist nicht mehr in der Konfiguration</translation>
    </message>
    <message>
        <source>that stack is no longer in the setup</source>
        <translation>dieser Decoderstapel ist nicht mehr in der Konfiguration</translation>
    </message>
    <message>
        <source>%1 may not be empty</source>
        <translation>%1 darf nicht leer sein</translation>
    </message>
    <message>
        <source>%1 holds an unprintable character</source>
        <translation>%1 enthält ein nicht druckbares Zeichen</translation>
    </message>
    <message>
        <source>&quot;id&quot; missing: which decoder to run</source>
        <translation>&quot;id&quot; fehlt: welcher Decoder laufen soll</translation>
    </message>
    <message>
        <source>a decoder&apos;s id in quotes expected</source>
        <translation>die ID eines Decoders in Anführungszeichen erwartet</translation>
    </message>
    <message>
        <source>a decoder&apos;s id</source>
        <translation>die ID eines Decoders</translation>
    </message>
    <message>
        <source>an object {&quot;rx&quot;: 9, ...} expected</source>
        <translation>ein Objekt {&quot;rx&quot;: 9, ...} erwartet</translation>
    </message>
    <message>
        <source>a channel&apos;s id</source>
        <translation>die ID eines Kanals</translation>
    </message>
    <message>
        <source>an object {&quot;baudrate&quot;: &quot;9600&quot;, ...} expected</source>
        <translation>ein Objekt {&quot;baudrate&quot;: &quot;9600&quot;, ...} erwartet</translation>
    </message>
    <message>
        <source>a value in quotes expected</source>
        <translation>ein Wert in Anführungszeichen erwartet</translation>
    </message>
    <message>
        <source>an option&apos;s id</source>
        <translation>die ID einer Option</translation>
    </message>
    <message>
        <source>a stack needs a decoder on channels</source>
        <translation>ein Decoderstapel braucht einen Decoder auf Kanälen</translation>
    </message>
</context>
<context>
    <name>zq::TimingView</name>
    <message>
        <source>A capture is being received from the ZQ350. What arrived so far is kept in its file.

Close the program anyway?</source>
        <translation>Vom ZQ350 wird gerade eine Aufzeichnung empfangen. Was bisher angekommen ist, bleibt in ihrer Datei erhalten.

Das Programm trotzdem schließen?</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Load  from Disk</source>
        <translation>Datei laden</translation>
    </message>
    <message>
        <source>Read  from ZQ350</source>
        <translation>Vom ZQ350 lesen</translation>
    </message>
    <message>
        <source>Text List</source>
        <translation>Textliste</translation>
    </message>
    <message>
        <source>Open a capture file (Ctrl+O)</source>
        <translation>Eine Aufzeichnungsdatei öffnen (Strg+O)</translation>
    </message>
    <message>
        <source>Read a capture out of the ZQ350 into a new file</source>
        <translation>Eine Aufzeichnung aus dem ZQ350 in eine neue Datei lesen</translation>
    </message>
    <message>
        <source>Show the same window of samples as a coloured hex listing</source>
        <translation>Denselben Ausschnitt als farbige Hex-Liste zeigen</translation>
    </message>
    <message>
        <source>Cursor distance in time</source>
        <translation>Cursorabstand als Zeit</translation>
    </message>
    <message>
        <source>Timing diagram</source>
        <translation>Zeitdiagramm</translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation>Kanal %1</translation>
    </message>
    <message>
        <source>Read progress</source>
        <translation>Lesefortschritt</translation>
    </message>
    <message>
        <source>Value under the pointer</source>
        <translation>Wert unter dem Mauszeiger</translation>
    </message>
    <message>
        <source>Timing View</source>
        <translation>Zeitansicht</translation>
    </message>
    <message>
        <source>&amp;Channels ...</source>
        <translation>&amp;Kanäle ...</translation>
    </message>
    <message>
        <source>Sample &amp;Rate ...</source>
        <translation>&amp;Abtastrate ...</translation>
    </message>
    <message>
        <source>Show &amp;All Channels</source>
        <translation>Alle Kanäle &amp;zeigen</translation>
    </message>
    <message>
        <source>&amp;Rename ...</source>
        <translation>&amp;Umbenennen ...</translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation>&amp;Einblenden</translation>
    </message>
    <message>
        <source>&amp;Hide</source>
        <translation>&amp;Ausblenden</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Make &amp;Bus ...</source>
        <translation>&amp;Bus bilden ...</translation>
    </message>
    <message>
        <source>&amp;Rename Bus ...</source>
        <translation>Bus &amp;umbenennen ...</translation>
    </message>
    <message>
        <source>Rename Bus</source>
        <translation>Bus umbenennen</translation>
    </message>
    <message>
        <source>Name of the bus:</source>
        <translation>Name des Busses:</translation>
    </message>
    <message>
        <source>The bus keeps its name: </source>
        <translation>Der Bus behält seinen Namen: </translation>
    </message>
    <message>
        <source>Re&amp;move Bus</source>
        <translation>Bus &amp;entfernen</translation>
    </message>
    <message>
        <source>Rename Channel</source>
        <translation>Kanal umbenennen</translation>
    </message>
    <message>
        <source>Name of channel %1 (up to 32 characters; empty for its number):</source>
        <translation>Name von Kanal %1 (bis zu 32 Zeichen; leer für seine Nummer):</translation>
    </message>
    <message>
        <source>Channel %1 keeps its name: </source>
        <translation>Kanal %1 behält seinen Namen: </translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>Sample rate, e.g. 1 MHz, 250k or 1000000 (empty for none: times in samples):</source>
        <translation>Abtastrate, z. B. 1 MHz, 250k oder 1000000 (leer für keine: Zeiten in Abtastwerten):</translation>
    </message>
    <message>
        <source>The sample rate stays as it was: </source>
        <translation>Die Abtastrate bleibt unverändert: </translation>
    </message>
    <message>
        <source>Open ZQ350 File ...</source>
        <translation>ZQ350-Datei öffnen ...</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*|Text Files (*.txt)|*.txt</source>
        <translation>Alle Dateien (*.*)|*.*|Textdateien (*.txt)|*.txt</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Exportieren</translation>
    </message>
    <message>
        <source>&amp;VCD (whole capture) ...</source>
        <translation>&amp;VCD (ganze Aufzeichnung) ...</translation>
    </message>
    <message>
        <source>&amp;CSV (whole capture) ...</source>
        <translation>&amp;CSV (ganze Aufzeichnung) ...</translation>
    </message>
    <message>
        <source>&amp;PNG of the View ...</source>
        <translation>&amp;PNG der Ansicht ...</translation>
    </message>
    <message>
        <source>Open &amp;Setup ...</source>
        <translation>&amp;Konfiguration öffnen ...</translation>
    </message>
    <message>
        <source>Save Set&amp;up ...</source>
        <translation>Konfiguration &amp;speichern ...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Text List</source>
        <translation>&amp;Textliste</translation>
    </message>
    <message>
        <source>Show &amp;Graph</source>
        <translation>&amp;Diagramm zeigen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Keyboard and Mouse</source>
        <translation>&amp;Tastatur und Maus</translation>
    </message>
    <message>
        <source>Keyboard and Mouse</source>
        <translation>Tastatur und Maus</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>%v of %m lines</source>
        <translation>%v von %m Zeilen</translation>
    </message>
    <message>
        <source>Lines received</source>
        <translation>Empfangene Zeilen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Stop the read</source>
        <translation>Lesen stoppen</translation>
    </message>
    <message>
        <source>End the read now (Esc): what arrived is kept and shown</source>
        <translation>Das Lesen jetzt beenden (Esc): Was angekommen ist, bleibt erhalten und wird gezeigt</translation>
    </message>
    <message>
        <source>No capture is open.</source>
        <translation>Es ist keine Aufzeichnung geöffnet.</translation>
    </message>
    <message>
        <source>%1
Version %2

Reads and shows captures of the ZQ350 logic analyser.</source>
        <translation>%1
Version %2

Liest und zeigt Aufzeichnungen des Logikanalysators ZQ350.</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Channel %1: %2</source>
        <translation>Kanal %1: %2</translation>
    </message>
    <message>
        <source>Channel %1 %2</source>
        <translation>Kanal %1 %2</translation>
    </message>
    <message>
        <source>Open Setup ...</source>
        <translation>Konfiguration öffnen ...</translation>
    </message>
    <message>
        <source>Setup Files (*.json)|*.json|All Files (*.*)|*.*</source>
        <translation>Konfigurationsdateien (*.json)|*.json|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Other path...</source>
        <translation>Anderer Pfad ...</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Serielle Schnittstelle</translation>
    </message>
    <message>
        <source>The serial port &quot;Read  from ZQ350&quot; listens on</source>
        <translation>Die serielle Schnittstelle, auf der „Vom ZQ350 lesen“ empfängt</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Gerät</translation>
    </message>
    <message>
        <source>The serial port &quot;Read  from ZQ350&quot; listens on: %1</source>
        <translation>Die serielle Schnittstelle, auf der „Vom ZQ350 lesen“ empfängt: %1</translation>
    </message>
    <message>
        <source>&amp;Other path...</source>
        <translation>&amp;Anderer Pfad ...</translation>
    </message>
    <message>
        <source>Serial Port</source>
        <translation>Serielle Schnittstelle</translation>
    </message>
    <message>
        <source>Path of the serial port the ZQ350 is on, such as /dev/ttyACM0
or a link to it (a bare name is one under /dev):</source>
        <translation>Pfad der seriellen Schnittstelle, an der der ZQ350 angeschlossen ist, z. B. /dev/ttyACM0,
oder ein Link darauf (ein Name ohne Verzeichnis bezieht sich auf /dev):</translation>
    </message>
    <message>
        <source>Add Decoder ...</source>
        <translation>Neuer Decoder ...</translation>
    </message>
    <message>
        <source>Decode a protocol (UART, SPI, I2C, ...) from the channels: its annotations show in rows under them</source>
        <translation>Ein Protokoll (UART, SPI, I2C, ...) aus den Kanälen decodieren: Seine Annotationen erscheinen in Zeilen darunter</translation>
    </message>
    <message>
        <source>Stop the decoders&apos; run: what they found so far is shown</source>
        <translation>Den Lauf der Decoder stoppen: Was sie bis dahin gefunden haben, wird angezeigt</translation>
    </message>
    <message>
        <source>Stop decoding</source>
        <translation>Decodieren stoppen</translation>
    </message>
    <message>
        <source>&amp;Decoders</source>
        <translation>De&amp;coder</translation>
    </message>
    <message>
        <source>&amp;Add Decoder ...</source>
        <translation>Decoder &amp;hinzufügen ...</translation>
    </message>
    <message>
        <source>Edit %1 ...</source>
        <translation>%1 bearbeiten ...</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message>
        <source>&amp;Stop Decoding</source>
        <translation>Decodieren &amp;stoppen</translation>
    </message>
    <message>
        <source>Annotation &amp;List</source>
        <translation>Annotations&amp;liste</translation>
    </message>
    <message>
        <source>Loading decoders ...</source>
        <translation>Lade Decoder ...</translation>
    </message>
</context>
<context>
    <name>zq::ViewControls</name>
    <message>
        <source>Cursor Diff = %1</source>
        <translation>Cursorabstand = %1</translation>
    </message>
    <message>
        <source>Data Length</source>
        <translation>Datenlänge</translation>
    </message>
    <message>
        <source>Start Position</source>
        <translation>Startposition</translation>
    </message>
    <message>
        <source>Go !</source>
        <translation>Los!</translation>
    </message>
    <message>
        <source>Mark Trig</source>
        <translation>Trig markieren</translation>
    </message>
    <message>
        <source>Mark from Trig  - every</source>
        <translation>Marken ab Trig - alle</translation>
    </message>
    <message>
        <source>Mark from Zero - every</source>
        <translation>Marken ab Null - alle</translation>
    </message>
    <message>
        <source>Set Cursors - - - - at</source>
        <translation>Cursor setzen - - auf</translation>
    </message>
    <message>
        <source>Cursor A</source>
        <translation>Cursor A</translation>
    </message>
    <message>
        <source>Cursor B</source>
        <translation>Cursor B</translation>
    </message>
    <message>
        <source>Cursor Diff</source>
        <translation>Cursorabstand</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Los</translation>
    </message>
    <message>
        <source>Step back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>How many samples the window shows after its first (Enter or Go ! applies it)</source>
        <translation>Wie viele Abtastwerte der Ausschnitt nach seinem ersten zeigt (Eingabetaste oder Los! übernimmt)</translation>
    </message>
    <message>
        <source>The window&apos;s first sample, 0 to 2047 (Enter or Go ! applies it)</source>
        <translation>Der erste Abtastwert des Ausschnitts, 0 bis 2047 (Eingabetaste oder Los! übernimmt)</translation>
    </message>
    <message>
        <source>Apply the window and the marks as typed</source>
        <translation>Ausschnitt und Markierungen wie eingegeben übernehmen</translation>
    </message>
    <message>
        <source>Step the window back by a quarter of its length</source>
        <translation>Den Ausschnitt um ein Viertel seiner Länge zurückschieben</translation>
    </message>
    <message>
        <source>Step the window forward by a quarter of its length</source>
        <translation>Den Ausschnitt um ein Viertel seiner Länge vorschieben</translation>
    </message>
    <message>
        <source>Mark the trigger sample (1024)</source>
        <translation>Den Trigger-Abtastwert (1024) markieren</translation>
    </message>
    <message>
        <source>Mark every so many samples counted from the trigger</source>
        <translation>Alle so viele Abtastwerte markieren, ab dem Trigger gezählt</translation>
    </message>
    <message>
        <source>Mark every so many samples counted from sample 0</source>
        <translation>Alle so viele Abtastwerte markieren, ab Abtastwert 0 gezählt</translation>
    </message>
    <message>
        <source>Interval of the marks counted from the trigger, in samples</source>
        <translation>Abstand der Markierungen ab dem Trigger, in Abtastwerten</translation>
    </message>
    <message>
        <source>Interval of the marks counted from sample 0, in samples</source>
        <translation>Abstand der Markierungen ab Abtastwert 0, in Abtastwerten</translation>
    </message>
    <message>
        <source>Show the two cursors and their distance</source>
        <translation>Die beiden Cursor und ihren Abstand zeigen</translation>
    </message>
    <message>
        <source>Cursor A&apos;s sample (in the diagram a click sets it)</source>
        <translation>Abtastwert von Cursor A (im Diagramm setzt ihn ein Klick)</translation>
    </message>
    <message>
        <source>Cursor B&apos;s sample (in the diagram a right-click sets it)</source>
        <translation>Abtastwert von Cursor B (im Diagramm setzt ihn ein Rechtsklick)</translation>
    </message>
    <message>
        <source>The distance between the cursors, in samples</source>
        <translation>Der Abstand zwischen den Cursorn, in Abtastwerten</translation>
    </message>
</context>
</TS>
