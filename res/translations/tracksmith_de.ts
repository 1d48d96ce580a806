<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Tracksmith</source>
        <translation>Über Tracksmith</translation>
    </message>
    <message>
        <source>Tracksmith Cuesheet Editor</source>
        <translation>Tracksmith Cuesheet-Editor</translation>
    </message>
    <message>
        <source>Version 1.0, Worldwide Beta 3</source>
        <translation>Version 1.0, Weltweite Beta 3</translation>
    </message>
    <message>
        <source>Build %1</source>
        <translation>Build %1</translation>
    </message>
    <message>
        <source>Copyright © 2026 Kestrel. Made by Larkspur.
Tracksmith writes plain cue sheets that disc burning programs read.</source>
        <translation>Copyright © 2026 Kestrel. Hergestellt von Larkspur.
Tracksmith schreibt einfache Cuesheets, die Brennprogramme lesen.</translation>
    </message>
</context>
<context>
    <name>CConvertGapsDlg</name>
    <message>
        <source>Convert Gaps</source>
        <translation>Lücken umwandeln</translation>
    </message>
    <message>
        <source>&amp;INDEX 00 silence to PREGAP</source>
        <translation>&amp;Stille unter INDEX 00 zu PREGAP</translation>
    </message>
    <message>
        <source>Audio gaps of digital silence leave the image and become PREGAP commands</source>
        <translation>Lücken aus digitaler Stille werden aus dem Abbild entfernt und zu PREGAP-Befehlen</translation>
    </message>
    <message>
        <source>&amp;PREGAP to silence in the image</source>
        <translation>&amp;PREGAP zu Stille im Abbild</translation>
    </message>
    <message>
        <source>PREGAP commands of audio tracks become silent sectors from an INDEX 00 on</source>
        <translation>PREGAP-Befehle von Audiotracks werden zu stillen Sektoren ab einem INDEX 00</translation>
    </message>
    <message>
        <source>The files whose gaps change are copied; the originals stay as they are.</source>
        <translation>Die Dateien, deren Lücken sich ändern, werden kopiert; die Originale bleiben unverändert.</translation>
    </message>
</context>
<context>
    <name>CDetectTracksDlg</name>
    <message>
        <source>Detect Tracks</source>
        <translation>Tracks erkennen</translation>
    </message>
    <message>
        <source>&amp;Threshold (dB below the loud level)</source>
        <translation>&amp;Schwelle (dB unter dem lauten Pegel)</translation>
    </message>
    <message>
        <source>Minimum &amp;silence (seconds)</source>
        <translation>Mindestlänge der S&amp;tille (Sekunden)</translation>
    </message>
    <message>
        <source>Minimum trac&amp;k (seconds)</source>
        <translation>Mindestlänge eines Trac&amp;ks (Sekunden)</translation>
    </message>
    <message>
        <source>&amp;Accept</source>
        <translation>Ü&amp;bernehmen</translation>
    </message>
    <message>
        <source>Accept A&amp;ll</source>
        <translation>&amp;Alle übernehmen</translation>
    </message>
    <message>
        <source>%1  (silent from %2)</source>
        <translation>%1  (still ab %2)</translation>
    </message>
    <message>
        <source>%1 track starts proposed; silence below %2 dBFS</source>
        <translation>%1 Trackanfänge vorgeschlagen; Stille unter %2 dBFS</translation>
    </message>
</context>
<context>
    <name>CDiscInfoDlg</name>
    <message>
        <source>Disc Information</source>
        <translation>CD-Informationen</translation>
    </message>
    <message>
        <source>The disc&apos;s table of contents: where each track starts and how long it lasts</source>
        <translation>Das Inhaltsverzeichnis der CD: wo jeder Track beginnt und wie lange er dauert</translation>
    </message>
    <message>
        <source>&amp;MusicBrainz disc ID</source>
        <translation>&amp;MusicBrainz-Disc-ID</translation>
    </message>
    <message>
        <source>The disc&apos;s ID at MusicBrainz, from its table of contents</source>
        <translation>Die ID der CD bei MusicBrainz, aus ihrem Inhaltsverzeichnis berechnet</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>&amp;freedb ID</source>
        <translation>&amp;freedb-ID</translation>
    </message>
    <message>
        <source>The disc&apos;s freedb (CDDB) ID</source>
        <translation>Die freedb-ID (CDDB) der CD</translation>
    </message>
    <message>
        <source>&amp;AccurateRip disc ID</source>
        <translation>&amp;AccurateRip-Disc-ID</translation>
    </message>
    <message>
        <source>The disc&apos;s file in the AccurateRip database</source>
        <translation>Die Datei der CD in der AccurateRip-Datenbank</translation>
    </message>
    <message>
        <source>C&amp;TDB TOC ID</source>
        <translation>C&amp;TDB-TOC-ID</translation>
    </message>
    <message>
        <source>The disc&apos;s ID in the CUETools database</source>
        <translation>Die ID der CD in der CUETools-Datenbank</translation>
    </message>
    <message>
        <source>&amp;Look Up on MusicBrainz</source>
        <translation>Bei MusicBrainz &amp;nachschlagen</translation>
    </message>
    <message>
        <source>Open MusicBrainz&apos;s page for this table of contents in the browser</source>
        <translation>Die MusicBrainz-Seite zu diesem Inhaltsverzeichnis im Browser öffnen</translation>
    </message>
    <message>
        <source>Track   Start      Length     Sector</source>
        <translation>Track   Beginn     Länge      Sektor</translation>
    </message>
    <message>
        <source>Hidden track before track 1: %1</source>
        <translation>Versteckter Track vor Track 1: %1</translation>
    </message>
</context>
<context>
    <name>CEditCatalogDlg</name>
    <message>
        <source>Edit Catalog</source>
        <translation>Katalognummer bearbeiten</translation>
    </message>
    <message>
        <source>Catalog &amp;Number</source>
        <translation>Katalog&amp;nummer</translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation>&amp;Kommentar</translation>
    </message>
</context>
<context>
    <name>CEditCdTextDlg</name>
    <message>
        <source>Edit CD-Text</source>
        <translation>CD-Text bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Keyword</source>
        <translation>&amp;Schlüsselwort</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>&amp;Text</translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation>&amp;Kommentar</translation>
    </message>
</context>
<context>
    <name>CEditCommentDlg</name>
    <message>
        <source>Edit Comment</source>
        <translation>Kommentar bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation>&amp;Kommentar</translation>
    </message>
</context>
<context>
    <name>CEditFileDlg</name>
    <message>
        <source>Edit File</source>
        <translation>Datei bearbeiten</translation>
    </message>
    <message>
        <source>File &amp;name</source>
        <translation>Datei&amp;name</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>File &amp;type</source>
        <translation>Datei&amp;typ</translation>
    </message>
    <message>
        <source>WAVE</source>
        <translation>WAVE</translation>
    </message>
    <message>
        <source>BINARY</source>
        <translation>BINARY</translation>
    </message>
    <message>
        <source>MOTOROLA</source>
        <translation>MOTOROLA</translation>
    </message>
    <message>
        <source>AIFF</source>
        <translation>AIFF</translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation>&amp;Kommentar</translation>
    </message>
</context>
<context>
    <name>CEditFlagsDlg</name>
    <message>
        <source>Edit Flags</source>
        <translation>Flags bearbeiten</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Flags</translation>
    </message>
    <message>
        <source>&amp;Digital Copy Permitted (DCP)</source>
        <translation>&amp;Digitale Kopie erlaubt (DCP)</translation>
    </message>
    <message>
        <source>&amp;4 Channel Audio (4CH)</source>
        <translation>&amp;4-Kanal-Audio (4CH)</translation>
    </message>
    <message>
        <source>&amp;Pre-emphasis (PRE)</source>
        <translation>&amp;Pre-Emphasis (PRE)</translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation>&amp;Kommentar</translation>
    </message>
</context>
<context>
    <name>CEditGapDlg</name>
    <message>
        <source>Edit gap</source>
        <translation>Lücke bearbeiten</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>&amp;Time</source>
        <translation>&amp;Zeit</translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation>&amp;Kommentar</translation>
    </message>
    <message>
        <source>Edit Pregap</source>
        <translation>Pregap bearbeiten</translation>
    </message>
    <message>
        <source>Edit Postgap</source>
        <translation>Postgap bearbeiten</translation>
    </message>
</context>
<context>
    <name>CEditIndexDlg</name>
    <message>
        <source>Edit Index</source>
        <translation>Index bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Index Number</source>
        <translation>&amp;Indexnummer</translation>
    </message>
    <message>
        <source>&amp;00</source>
        <translation>&amp;00</translation>
    </message>
    <message>
        <source>&amp;Auto</source>
        <translation>&amp;Automatisch</translation>
    </message>
    <message>
        <source>88:88:88 - 88:88:88</source>
        <translation>88:88:88 - 88:88:88</translation>
    </message>
    <message>
        <source>&amp;Time</source>
        <translation>&amp;Zeit</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Abspielen</translation>
    </message>
    <message>
        <source>&amp;Set to </source>
        <translation>&amp;Setzen auf </translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation>&amp;Kommentar</translation>
    </message>
    <message>
        <source>Sto&amp;p</source>
        <translation>Sto&amp;pp</translation>
    </message>
</context>
<context>
    <name>CEditIsrcDlg</name>
    <message>
        <source>Edit ISRC</source>
        <translation>ISRC bearbeiten</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>&amp;ISRC Number</source>
        <translation>&amp;ISRC-Nummer</translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation>&amp;Kommentar</translation>
    </message>
</context>
<context>
    <name>CEditTrackDlg</name>
    <message>
        <source>Edit Track</source>
        <translation>Track bearbeiten</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Typ</translation>
    </message>
    <message>
        <source>AUDIO</source>
        <translation>AUDIO</translation>
    </message>
    <message>
        <source>CDG</source>
        <translation>CDG</translation>
    </message>
    <message>
        <source>MODE1/2048</source>
        <translation>MODE1/2048</translation>
    </message>
    <message>
        <source>MODE1/2352</source>
        <translation>MODE1/2352</translation>
    </message>
    <message>
        <source>MODE2/2336</source>
        <translation>MODE2/2336</translation>
    </message>
    <message>
        <source>MODE2/2352</source>
        <translation>MODE2/2352</translation>
    </message>
    <message>
        <source>CDI/2336</source>
        <translation>CDI/2336</translation>
    </message>
    <message>
        <source>CDI/2352</source>
        <translation>CDI/2352</translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation>&amp;Kommentar</translation>
    </message>
</context>
<context>
    <name>CEncodingDlg</name>
    <message>
        <source>Encoding</source>
        <translation>Zeichenkodierung</translation>
    </message>
    <message>
        <source>&amp;Show the sheet&apos;s text as</source>
        <translation>Text des Cuesheets &amp;zeigen als</translation>
    </message>
    <message>
        <source>Sample:</source>
        <translation>Beispiel:</translation>
    </message>
</context>
<context>
    <name>CExportTracklistDlg</name>
    <message>
        <source>Export Tracklist</source>
        <translation>Trackliste exportieren</translation>
    </message>
    <message>
        <source>F&amp;ormat</source>
        <translation>&amp;Format</translation>
    </message>
    <message>
        <source>YouTube chapters</source>
        <translation>YouTube-Kapitel</translation>
    </message>
    <message>
        <source>Audacity labels</source>
        <translation>Audacity-Textmarken</translation>
    </message>
    <message>
        <source>FFmpeg metadata chapters</source>
        <translation>FFmpeg-Metadaten-Kapitel</translation>
    </message>
    <message>
        <source>Matroska XML chapters</source>
        <translation>Matroska-XML-Kapitel</translation>
    </message>
    <message>
        <source>Podcasting 2.0 JSON chapters</source>
        <translation>Podcasting-2.0-JSON-Kapitel</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Durch&amp;suchen...</translation>
    </message>
</context>
<context>
    <name>CExportTracksDlg</name>
    <message>
        <source>Export Tracks</source>
        <translation>Tracks exportieren</translation>
    </message>
    <message>
        <source>&amp;Folder</source>
        <translation>&amp;Ordner</translation>
    </message>
    <message>
        <source>The folder for the track files and their cue sheet; made when missing</source>
        <translation>Der Ordner für die Track-Dateien und ihr Cuesheet; wird angelegt, wenn er fehlt</translation>
    </message>
    <message>
        <source>F&amp;ormat</source>
        <translation>&amp;Format</translation>
    </message>
    <message>
        <source>FLAC (lossless)</source>
        <translation>FLAC (verlustfrei)</translation>
    </message>
    <message>
        <source>WAVE (uncompressed)</source>
        <translation>WAVE (unkomprimiert)</translation>
    </message>
    <message>
        <source>Opus</source>
        <translation>Opus</translation>
    </message>
    <message>
        <source>MP3</source>
        <translation>MP3</translation>
    </message>
    <message>
        <source>&amp;Gaps</source>
        <translation>&amp;Lücken</translation>
    </message>
    <message>
        <source>At the end of the previous track</source>
        <translation>Am Ende des vorigen Tracks</translation>
    </message>
    <message>
        <source>At the start of their own track</source>
        <translation>Am Anfang ihres eigenen Tracks</translation>
    </message>
    <message>
        <source>Left out</source>
        <translation>Weggelassen</translation>
    </message>
</context>
<context>
    <name>CImportTracklistDlg</name>
    <message>
        <source>Import Tracklist</source>
        <translation>Trackliste importieren</translation>
    </message>
    <message>
        <source>&amp;Tracks</source>
        <translation>&amp;Tracks</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Performer</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>&amp;Skipped lines</source>
        <translation>Ü&amp;bersprungene Zeilen</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>a text tracklist</source>
        <translation>eine Text-Trackliste</translation>
    </message>
    <message>
        <source>a CSV tracklist</source>
        <translation>eine CSV-Trackliste</translation>
    </message>
    <message>
        <source>Audacity labels</source>
        <translation>Audacity-Textmarken</translation>
    </message>
    <message>
        <source>FFmpeg chapters</source>
        <translation>FFmpeg-Kapitel</translation>
    </message>
    <message>
        <source>Matroska chapters</source>
        <translation>Matroska-Kapitel</translation>
    </message>
    <message>
        <source>the chapters of a media file</source>
        <translation>die Kapitel einer Mediendatei</translation>
    </message>
    <message>
        <source>%1 of durations</source>
        <translation>%1 aus Dauern</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is read as %2: %3 tracks for &quot;%4&quot;, %5 lines skipped.</source>
        <translation>„%1“ wird gelesen als %2: %3 Tracks für „%4“, %5 Zeilen übersprungen.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Wavebar</source>
        <translation>Wiedergabeleiste</translation>
    </message>
    <message>
        <source>Waveform</source>
        <translation>Wellenform</translation>
    </message>
    <message>
        <source>No track start marked: %1.</source>
        <translation>Kein Trackanfang gesetzt: %1.</translation>
    </message>
    <message>
        <source>Tracks</source>
        <translation>Tracks</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be played: %2.</source>
        <translation>„%1“ kann nicht abgespielt werden: %2.</translation>
    </message>
</context>
<context>
    <name>CMissingAudioDlg</name>
    <message>
        <source>Find Missing Audio</source>
        <translation>Fehlende Audiodateien suchen</translation>
    </message>
    <message>
        <source>These FILE lines name audio files that are not there. OK writes the names in the &amp;Found column; Browse picks a file yourself.</source>
        <translation>Diese FILE-Zeilen nennen Audiodateien, die nicht vorhanden sind. OK trägt die Namen aus der Spalte &amp;Gefunden ein; mit Durchsuchen wählen Sie selbst eine Datei.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Found</source>
        <translation>Gefunden</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>(not named yet)</source>
        <translation>(noch nicht benannt)</translation>
    </message>
    <message>
        <source>(nothing found)</source>
        <translation>(nichts gefunden)</translation>
    </message>
</context>
<context>
    <name>CSheetCodec</name>
    <message>
        <source>Unicode (UTF-8)</source>
        <translation>Unicode (UTF-8)</translation>
    </message>
    <message>
        <source>Western European (Windows-1252)</source>
        <translation>Westeuropäisch (Windows-1252)</translation>
    </message>
    <message>
        <source>Western European (ISO-8859-1)</source>
        <translation>Westeuropäisch (ISO-8859-1)</translation>
    </message>
    <message>
        <source>Western European (ISO-8859-15)</source>
        <translation>Westeuropäisch (ISO-8859-15)</translation>
    </message>
    <message>
        <source>Central European (Windows-1250)</source>
        <translation>Mitteleuropäisch (Windows-1250)</translation>
    </message>
    <message>
        <source>Central European (ISO-8859-2)</source>
        <translation>Mitteleuropäisch (ISO-8859-2)</translation>
    </message>
    <message>
        <source>Cyrillic (Windows-1251)</source>
        <translation>Kyrillisch (Windows-1251)</translation>
    </message>
    <message>
        <source>Cyrillic (KOI8-R)</source>
        <translation>Kyrillisch (KOI8-R)</translation>
    </message>
    <message>
        <source>Cyrillic (ISO-8859-5)</source>
        <translation>Kyrillisch (ISO-8859-5)</translation>
    </message>
    <message>
        <source>Greek (Windows-1253)</source>
        <translation>Griechisch (Windows-1253)</translation>
    </message>
    <message>
        <source>Greek (ISO-8859-7)</source>
        <translation>Griechisch (ISO-8859-7)</translation>
    </message>
    <message>
        <source>Turkish (Windows-1254)</source>
        <translation>Türkisch (Windows-1254)</translation>
    </message>
    <message>
        <source>Hebrew (Windows-1255)</source>
        <translation>Hebräisch (Windows-1255)</translation>
    </message>
    <message>
        <source>Arabic (Windows-1256)</source>
        <translation>Arabisch (Windows-1256)</translation>
    </message>
    <message>
        <source>Baltic (Windows-1257)</source>
        <translation>Baltisch (Windows-1257)</translation>
    </message>
    <message>
        <source>Vietnamese (Windows-1258)</source>
        <translation>Vietnamesisch (Windows-1258)</translation>
    </message>
    <message>
        <source>Thai (Windows-874)</source>
        <translation>Thailändisch (Windows-874)</translation>
    </message>
    <message>
        <source>Japanese (Shift_JIS)</source>
        <translation>Japanisch (Shift_JIS)</translation>
    </message>
    <message>
        <source>Japanese (EUC-JP)</source>
        <translation>Japanisch (EUC-JP)</translation>
    </message>
    <message>
        <source>Chinese Simplified (GB18030)</source>
        <translation>Chinesisch vereinfacht (GB18030)</translation>
    </message>
    <message>
        <source>Chinese Traditional (Big5)</source>
        <translation>Chinesisch traditionell (Big5)</translation>
    </message>
    <message>
        <source>Korean (EUC-KR)</source>
        <translation>Koreanisch (EUC-KR)</translation>
    </message>
</context>
<context>
    <name>CSheetRepairs</name>
    <message>
        <source>Check Sheet</source>
        <translation>Cuesheet prüfen</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>Schwere</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>Befund</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Nothing found that other programs will get wrong.</source>
        <translation>Nichts gefunden, was andere Programme falsch verstehen.</translation>
    </message>
    <message>
        <source>What other programs will refuse or read wrong.</source>
        <translation>Was andere Programme ablehnen oder falsch lesen.</translation>
    </message>
    <message>
        <source>Fix</source>
        <translation>Beheben</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source> (and %1 more)</source>
        <translation> (und %1 weitere)</translation>
    </message>
    <message>
        <source> — Tools &gt; Check Sheet lists them.</source>
        <translation> — Extras &gt; Cuesheet prüfen listet sie auf.</translation>
    </message>
</context>
<context>
    <name>CTimeDlg</name>
    <message>
        <source>Specify time</source>
        <translation>Zeit angeben</translation>
    </message>
    <message>
        <source>Enter time in (mm:ss:ff):</source>
        <translation>Zeit eingeben (mm:ss:ff):</translation>
    </message>
</context>
<context>
    <name>CTimeIntervalDlg</name>
    <message>
        <source>Specify time interval</source>
        <translation>Zeitabschnitt angeben</translation>
    </message>
    <message>
        <source>Enter Start and Stop times of interval
in (mm:ss:ff):</source>
        <translation>Anfangs- und Endzeit des Abschnitts
eingeben (mm:ss:ff):</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Anfang</translation>
    </message>
    <message>
        <source>Sto&amp;p</source>
        <translation>&amp;Ende</translation>
    </message>
</context>
<context>
    <name>CTrackCommands</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>Wird abgebrochen...</translation>
    </message>
</context>
<context>
    <name>CTrackTableModel</name>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Performer</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Songwriter</source>
        <translation>Songwriter</translation>
    </message>
    <message>
        <source>ISRC</source>
        <translation>ISRC</translation>
    </message>
    <message>
        <source>%1 is not a valid start: %2.</source>
        <translation>%1 ist kein gültiger Anfang: %2.</translation>
    </message>
    <message>
        <source>The %1 holds characters that the sheet&apos;s encoding, %2, cannot hold.</source>
        <translation>%1 enthält Zeichen, die die Kodierung des Cuesheets, %2, nicht darstellen kann.</translation>
    </message>
    <message>
        <source>The %1
%2
cannot be written in a cue sheet: %3.</source>
        <translation>%1
%2
kann nicht in ein Cuesheet geschrieben werden: %3.</translation>
    </message>
    <message>
        <source>The clipboard holds %1 lines, but only %2 tracks follow from track %3: nothing was pasted.</source>
        <translation>Die Zwischenablage enthält %1 Zeilen, ab Track %3 folgen aber nur %2 Tracks: nichts wurde eingefügt.</translation>
    </message>
    <message>
        <source>Line %1: %2
Nothing was pasted.</source>
        <translation>Zeile %1: %2
Nichts wurde eingefügt.</translation>
    </message>
</context>
<context>
    <name>CTrackTablePanel</name>
    <message>
        <source>Disc &amp;performer:</source>
        <translation>&amp;Interpret der CD:</translation>
    </message>
    <message>
        <source>Disc &amp;title:</source>
        <translation>&amp;Titel der CD:</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Taken off the play position when a track start is marked while listening</source>
        <translation>Wird beim Setzen eines Trackanfangs während der Wiedergabe von der Abspielposition abgezogen</translation>
    </message>
    <message>
        <source>&amp;Reaction time:</source>
        <translation>&amp;Reaktionszeit:</translation>
    </message>
    <message>
        <source>The %1 column cannot be edited: nothing was pasted.</source>
        <translation>Die Spalte %1 kann nicht bearbeitet werden: nichts wurde eingefügt.</translation>
    </message>
</context>
<context>
    <name>CVerifyDlg</name>
    <message>
        <source>Verify Rip</source>
        <translation>Rip prüfen</translation>
    </message>
    <message>
        <source>Reading the audio...</source>
        <translation>Die Audiodaten werden gelesen...</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>AR v1</source>
        <translation>AR v1</translation>
    </message>
    <message>
        <source>AR v2</source>
        <translation>AR v2</translation>
    </message>
    <message>
        <source>CRC</source>
        <translation>CRC</translation>
    </message>
    <message>
        <source>CRC without nulls</source>
        <translation>CRC ohne Nullen</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>AccurateRip</source>
        <translation>AccurateRip</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Asking the AccurateRip database...</source>
        <translation>Die AccurateRip-Datenbank wird gefragt...</translation>
    </message>
    <message>
        <source>AccurateRip disc ID %1.</source>
        <translation>AccurateRip-Disc-ID %1.</translation>
    </message>
    <message>
        <source>Image CRC %1</source>
        <translation>CRC des Abbilds %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>Wird abgebrochen...</translation>
    </message>
</context>
<context>
    <name>CWaveCommands</name>
    <message>
        <source>Writing %1...</source>
        <translation>%1 wird geschrieben...</translation>
    </message>
    <message>
        <source>Write silence</source>
        <translation>Stille schreiben</translation>
    </message>
    <message>
        <source>Writing silence to %1...</source>
        <translation>Stille wird in %1 geschrieben...</translation>
    </message>
</context>
<context>
    <name>CWaveformPanel</name>
    <message>
        <source>&quot;%1&quot; cannot be shown: %2</source>
        <translation>„%1“ kann nicht angezeigt werden: %2</translation>
    </message>
    <message>
        <source>Silence &amp;under</source>
        <translation>Stille &amp;unter</translation>
    </message>
    <message>
        <source>f&amp;or</source>
        <translation>f&amp;ür</translation>
    </message>
    <message>
        <source>Insert In&amp;dex Here</source>
        <translation>&amp;Index hier einfügen</translation>
    </message>
    <message>
        <source>Insert T&amp;rack Here</source>
        <translation>&amp;Track hier einfügen</translation>
    </message>
    <message>
        <source>No wave file</source>
        <translation>Keine Wave-Datei</translation>
    </message>
</context>
<context>
    <name>CWelcomeDlg</name>
    <message>
        <source>Welcome to Tracksmith</source>
        <translation>Willkommen bei Tracksmith</translation>
    </message>
    <message>
        <source>Tracksmith Cuesheet Editor</source>
        <translation>Tracksmith Cuesheet-Editor</translation>
    </message>
    <message>
        <source>Version 1.0, Worldwide Beta 3</source>
        <translation>Version 1.0, Weltweite Beta 3</translation>
    </message>
    <message>
        <source>&amp;View Readme file</source>
        <translation>&amp;Liesmich-Datei anzeigen</translation>
    </message>
</context>
</TS>
