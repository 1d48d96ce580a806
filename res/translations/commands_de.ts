<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Commands</name>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Ein neues Dokument anlegen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>Ein vorhandenes Dokument öffnen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Ctrl+S</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>Das aktive Dokument speichern</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>Das aktive Dokument unter einem neuen Namen speichern</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>&amp;Export Tracks...</source>
        <translation>Tracks &amp;exportieren...</translation>
    </message>
    <message>
        <source>Cut the sheet's audio into one tagged file per track</source>
        <translation>Den Ton des Cuesheets in eine getaggte Datei je Track schneiden</translation>
    </message>
    <message>
        <source>Export Tracks</source>
        <translation>Tracks exportieren</translation>
    </message>
    <message>
        <source>&amp;Join Into One Image...</source>
        <translation>Zu einem Abbild &amp;zusammenfügen...</translation>
    </message>
    <message>
        <source>Join the sheet's audio files into one image with its own sheet</source>
        <translation>Die Audiodateien des Cuesheets zu einem Abbild mit eigenem Cuesheet zusammenfügen</translation>
    </message>
    <message>
        <source>Join Into One Image</source>
        <translation>Zu einem Abbild zusammenfügen</translation>
    </message>
    <message>
        <source>Em&amp;bed Sheet in Audio File</source>
        <translation>Cuesheet in Audio&amp;datei einbetten</translation>
    </message>
    <message>
        <source>Write the sheet into the CUESHEET tag of its one FLAC, WavPack or APE file</source>
        <translation>Das Cuesheet in das CUESHEET-Tag seiner einzigen FLAC-, WavPack- oder APE-Datei schreiben</translation>
    </message>
    <message>
        <source>Embed Sheet in Audio File</source>
        <translation>Cuesheet in Audiodatei einbetten</translation>
    </message>
    <message>
        <source>&amp;Disc Information...</source>
        <translation>&amp;CD-Informationen...</translation>
    </message>
    <message>
        <source>Show the disc's table of contents and its MusicBrainz, freedb, AccurateRip and CTDB IDs</source>
        <translation>Das Inhaltsverzeichnis der CD und ihre IDs für MusicBrainz, freedb, AccurateRip und CTDB anzeigen</translation>
    </message>
    <message>
        <source>Disc Information</source>
        <translation>CD-Informationen</translation>
    </message>
    <message>
        <source>&amp;Verify Rip...</source>
        <translation>Rip &amp;prüfen...</translation>
    </message>
    <message>
        <source>Check the rip's checksums against its log and the AccurateRip database</source>
        <translation>Die Prüfsummen des Rips mit seinem Log und der AccurateRip-Datenbank abgleichen</translation>
    </message>
    <message>
        <source>Verify Rip</source>
        <translation>Rip prüfen</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>Das Programm beenden; fragt, ob Dokumente gespeichert werden sollen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit...	Enter</source>
        <translation>&amp;Bearbeiten...	Enter</translation>
    </message>
    <message>
        <source>Edit current line in a dialog</source>
        <translation>Die aktuelle Zeile in einem Dialog bearbeiten</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>&amp;Ausschneiden	Ctrl+X</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard</source>
        <translation>Die Auswahl ausschneiden und in die Zwischenablage legen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Kopieren	Ctrl+C</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard</source>
        <translation>Die Auswahl kopieren und in die Zwischenablage legen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>E&amp;infügen	Ctrl+V</translation>
    </message>
    <message>
        <source>Insert Clipboard contents</source>
        <translation>Den Inhalt der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete	Del</source>
        <translation>&amp;Löschen	Del</translation>
    </message>
    <message>
        <source>Delete highlighted lines</source>
        <translation>Die markierten Zeilen löschen</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Rückgängig	Ctrl+Z</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>Die letzte Änderung rückgängig machen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>&amp;Wiederherstellen	Ctrl+Y</translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <translation>Die zuletzt rückgängig gemachte Änderung wiederherstellen</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Convert &amp;Gaps...</source>
        <translation>Lücken &amp;umwandeln...</translation>
    </message>
    <message>
        <source>Turn silent INDEX 00 gaps into PREGAP commands or back, in a copy of the image</source>
        <translation>Stille Lücken unter INDEX 00 in PREGAP-Befehle umwandeln oder umgekehrt, in einer Kopie des Abbilds</translation>
    </message>
    <message>
        <source>Convert Gaps</source>
        <translation>Lücken umwandeln</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>Die Werkzeugleiste zeigen oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle Toolbar</source>
        <translation>Werkzeugleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Wavebar</source>
        <translation>Wiedergabe&amp;leiste</translation>
    </message>
    <message>
        <source>Show or hide the wavebar</source>
        <translation>Die Wiedergabeleiste zeigen oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle Wavebar</source>
        <translation>Wiedergabeleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Die Statusleiste zeigen oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle StatusBar</source>
        <translation>Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>Wa&amp;veform</source>
        <translation>Wellen&amp;form</translation>
    </message>
    <message>
        <source>Show or hide the waveform panel</source>
        <translation>Die Wellenformanzeige zeigen oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle Waveform</source>
        <translation>Wellenform ein/aus</translation>
    </message>
    <message>
        <source>&amp;Encoding...</source>
        <translation>&amp;Zeichenkodierung...</translation>
    </message>
    <message>
        <source>Choose the character set the sheet's text is shown in</source>
        <translation>Den Zeichensatz wählen, in dem der Text des Cuesheets gezeigt wird</translation>
    </message>
    <message>
        <source>Encoding</source>
        <translation>Zeichenkodierung</translation>
    </message>
    <message>
        <source>&amp;File...	Ctrl+F</source>
        <translation>&amp;Datei...	Ctrl+F</translation>
    </message>
    <message>
        <source>Insert File at current location</source>
        <translation>Eine Datei an der aktuellen Stelle einfügen</translation>
    </message>
    <message>
        <source>Insert file</source>
        <translation>Datei einfügen</translation>
    </message>
    <message>
        <source>Insert &amp;File...	Ctrl+F</source>
        <translation>&amp;Datei einfügen...	Ctrl+F</translation>
    </message>
    <message>
        <source>&amp;Track	Ctrl+T</source>
        <translation>&amp;Track	Ctrl+T</translation>
    </message>
    <message>
        <source>Insert Track at current location</source>
        <translation>Einen Track an der aktuellen Stelle einfügen</translation>
    </message>
    <message>
        <source>Insert track</source>
        <translation>Track einfügen</translation>
    </message>
    <message>
        <source>Insert Trac&amp;k	Ctrl+T</source>
        <translation>&amp;Track einfügen	Ctrl+T</translation>
    </message>
    <message>
        <source>&amp;Index	Ctrl+I</source>
        <translation>&amp;Index	Ctrl+I</translation>
    </message>
    <message>
        <source>Insert Index at current location</source>
        <translation>Einen Index an der aktuellen Stelle einfügen</translation>
    </message>
    <message>
        <source>Insert index</source>
        <translation>Index einfügen</translation>
    </message>
    <message>
        <source>Insert &amp;Index	Ctrl+I</source>
        <translation>I&amp;ndex einfügen	Ctrl+I</translation>
    </message>
    <message>
        <source>P&amp;regap	Ctrl+R</source>
        <translation>P&amp;regap	Ctrl+R</translation>
    </message>
    <message>
        <source>Insert Pregap for current track</source>
        <translation>Ein Pregap für den aktuellen Track einfügen</translation>
    </message>
    <message>
        <source>Insert Preg&amp;ap	Ctrl+R</source>
        <translation>Pr&amp;egap einfügen	Ctrl+R</translation>
    </message>
    <message>
        <source>&amp;Postgap	Ctrl+P</source>
        <translation>&amp;Postgap	Ctrl+P</translation>
    </message>
    <message>
        <source>Insert Postgap for current track</source>
        <translation>Ein Postgap für den aktuellen Track einfügen</translation>
    </message>
    <message>
        <source>Insert P&amp;ostgap	Ctrl+P</source>
        <translation>&amp;Postgap einfügen	Ctrl+P</translation>
    </message>
    <message>
        <source>ISRC N&amp;umber...	Ctrl+U</source>
        <translation>ISRC-N&amp;ummer...	Ctrl+U</translation>
    </message>
    <message>
        <source>Insert ISRC number for current track</source>
        <translation>Eine ISRC-Nummer für den aktuellen Track einfügen</translation>
    </message>
    <message>
        <source>Insert ISRC &amp;Number...	Ctrl+U</source>
        <translation>ISRC-N&amp;ummer einfügen...	Ctrl+U</translation>
    </message>
    <message>
        <source>F&amp;lags	Ctrl+L</source>
        <translation>F&amp;lags	Ctrl+L</translation>
    </message>
    <message>
        <source>Insert Flags for current track</source>
        <translation>Flags für den aktuellen Track einfügen</translation>
    </message>
    <message>
        <source>Insert F&amp;lags	Ctrl+L</source>
        <translation>Flag&amp;s einfügen	Ctrl+L</translation>
    </message>
    <message>
        <source>Catalo&amp;g...	Ctrl+G</source>
        <translation>Katalo&amp;g...	Ctrl+G</translation>
    </message>
    <message>
        <source>Insert Catalog for cue sheet</source>
        <translation>Eine Katalognummer für das Cuesheet einfügen</translation>
    </message>
    <message>
        <source>Insert Catalo&amp;g...	Ctrl+G</source>
        <translation>Katalo&amp;g einfügen...	Ctrl+G</translation>
    </message>
    <message>
        <source>&amp;CD-Text...</source>
        <translation>&amp;CD-Text...</translation>
    </message>
    <message>
        <source>Insert CD-Text for the disc or the current track</source>
        <translation>CD-Text für die CD oder den aktuellen Track einfügen</translation>
    </message>
    <message>
        <source>Insert CD-Te&amp;xt...</source>
        <translation>CD-Te&amp;xt einfügen...</translation>
    </message>
    <message>
        <source>Co&amp;mment	Ctrl+M</source>
        <translation>Ko&amp;mmentar	Ctrl+M</translation>
    </message>
    <message>
        <source>Insert Comment at current location</source>
        <translation>Einen Kommentar an der aktuellen Stelle einfügen</translation>
    </message>
    <message>
        <source>Insert Co&amp;mment	Ctrl+M</source>
        <translation>Ko&amp;mmentar einfügen	Ctrl+M</translation>
    </message>
    <message>
        <source>&amp;Play	Space</source>
        <translation>&amp;Abspielen	Space</translation>
    </message>
    <message>
        <source>&amp;Pause	Space</source>
        <translation>&amp;Pause	Space</translation>
    </message>
    <message>
        <source>Play/Stop</source>
        <translation>Abspielen/Stopp</translation>
    </message>
    <message>
        <source>&amp;Skip back 1 min	F5</source>
        <translation>1 Min. &amp;zurück	F5</translation>
    </message>
    <message>
        <source>Skip back 1 min</source>
        <translation>1 Min. zurück</translation>
    </message>
    <message>
        <source>Skip &amp;back 10 secs	F6</source>
        <translation>10 Sek. zu&amp;rück	F6</translation>
    </message>
    <message>
        <source>Skip back 10 secs</source>
        <translation>10 Sek. zurück</translation>
    </message>
    <message>
        <source>S&amp;kip forward 10 secs	F7</source>
        <translation>10 Sek. &amp;vor	F7</translation>
    </message>
    <message>
        <source>Skip forward 10 secs</source>
        <translation>10 Sek. vor</translation>
    </message>
    <message>
        <source>Skip &amp;forward 1 min	F8</source>
        <translation>1 Min. v&amp;or	F8</translation>
    </message>
    <message>
        <source>Skip forward 1 min</source>
        <translation>1 Min. vor</translation>
    </message>
    <message>
        <source>Zoom &amp;In	Ctrl+=</source>
        <translation>Ver&amp;größern	Ctrl+=</translation>
    </message>
    <message>
        <source>Show less of the waveform in more detail</source>
        <translation>Weniger von der Wellenform genauer zeigen</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out	Ctrl+-</source>
        <translation>Ver&amp;kleinern	Ctrl+-</translation>
    </message>
    <message>
        <source>Show more of the waveform</source>
        <translation>Mehr von der Wellenform zeigen</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Zoom &amp;to Fit	Ctrl+0</source>
        <translation>&amp;Einpassen	Ctrl+0</translation>
    </message>
    <message>
        <source>Show the whole file in the waveform</source>
        <translation>Die ganze Datei in der Wellenform zeigen</translation>
    </message>
    <message>
        <source>Zoom to fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>S&amp;nap to Silences	Ctrl+Shift+N</source>
        <translation>An &amp;Stille einrasten	Ctrl+Shift+N</translation>
    </message>
    <message>
        <source>Make a dragged mark snap to the end of a nearby silence</source>
        <translation>Eine gezogene Marke am Ende einer nahen Stille einrasten lassen</translation>
    </message>
    <message>
        <source>Snap to silences</source>
        <translation>An Stille einrasten</translation>
    </message>
    <message>
        <source>Make interval in wave file silent</source>
        <translation>Einen Abschnitt der Wave-Datei stumm machen</translation>
    </message>
    <message>
        <source>New from Audio &amp;Files...</source>
        <translation>Neu aus &amp;Audiodateien...</translation>
    </message>
    <message>
        <source>Make a new sheet with a track for each audio file, named from their tags</source>
        <translation>Ein neues Cuesheet mit einem Track je Audiodatei anlegen, benannt nach ihren Tags</translation>
    </message>
    <message>
        <source>New from Audio Files</source>
        <translation>Neu aus Audiodateien</translation>
    </message>
    <message>
        <source>&amp;Import Tracklist...</source>
        <translation>Trackliste &amp;importieren...</translation>
    </message>
    <message>
        <source>Make the sheet's tracks from a tracklist, a chapter file or the chapters of a media file</source>
        <translation>Die Tracks des Cuesheets aus einer Trackliste, einer Kapiteldatei oder den Kapiteln einer Mediendatei erstellen</translation>
    </message>
    <message>
        <source>Import Tracklist</source>
        <translation>Trackliste importieren</translation>
    </message>
    <message>
        <source>Export &amp;Tracklist...</source>
        <translation>Trackliste e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Write the sheet's tracks as chapters or a tracklist for other programs</source>
        <translation>Die Tracks des Cuesheets als Kapitel oder Trackliste für andere Programme schreiben</translation>
    </message>
    <message>
        <source>Export Tracklist</source>
        <translation>Trackliste exportieren</translation>
    </message>
    <message>
        <source>Write &amp;Chapters Into...</source>
        <translation>&amp;Kapitel in Kopie schreiben...</translation>
    </message>
    <message>
        <source>Write a copy of the sheet's audio with its tracks as chapters</source>
        <translation>Eine Kopie der Audiodatei des Cuesheets mit seinen Tracks als Kapiteln schreiben</translation>
    </message>
    <message>
        <source>Write Chapters Into</source>
        <translation>Kapitel in Kopie schreiben</translation>
    </message>
    <message>
        <source>&amp;Detect Tracks...</source>
        <translation>&amp;Tracks erkennen...</translation>
    </message>
    <message>
        <source>Propose track starts where the audio falls silent</source>
        <translation>Trackanfänge dort vorschlagen, wo der Ton verstummt</translation>
    </message>
    <message>
        <source>Detect Tracks</source>
        <translation>Tracks erkennen</translation>
    </message>
    <message>
        <source>T&amp;racks</source>
        <translation>&amp;Tracks</translation>
    </message>
    <message>
        <source>Show or hide the track table</source>
        <translation>Die Tracktabelle zeigen oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle Tracks</source>
        <translation>Tracks ein/aus</translation>
    </message>
    <message>
        <source>&amp;Mark Track Start	M</source>
        <translation>Trackanfang &amp;markieren	M</translation>
    </message>
    <message>
        <source>Start a track where the audio being played is heard now</source>
        <translation>Einen Track an der Stelle beginnen, die gerade zu hören ist</translation>
    </message>
    <message>
        <source>Mark Track Start</source>
        <translation>Trackanfang markieren</translation>
    </message>
    <message>
        <source>Contents	F1</source>
        <translation>Inhalt	F1</translation>
    </message>
    <message>
        <source>Open Help</source>
        <translation>Die Hilfe öffnen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Kestrel Home Page ...</source>
        <translation>&amp;Kestrel-Homepage ...</translation>
    </message>
    <message>
        <source>Access Web site</source>
        <translation>Die Website besuchen</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>&amp;About Tracksmith...</source>
        <translation>Ü&amp;ber Tracksmith...</translation>
    </message>
    <message>
        <source>Show About box</source>
        <translation>Informationen über das Programm zeigen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Find &amp;Missing Audio...</source>
        <translation>Fe&amp;hlende Audiodateien suchen...</translation>
    </message>
    <message>
        <source>Find the audio files of FILE lines whose files are gone</source>
        <translation>Die Audiodateien von FILE-Zeilen suchen, deren Dateien fehlen</translation>
    </message>
    <message>
        <source>Find Missing Audio</source>
        <translation>Fehlende Audiodateien suchen</translation>
    </message>
    <message>
        <source>&amp;Check Sheet</source>
        <translation>Cuesheet &amp;prüfen</translation>
    </message>
    <message>
        <source>List what other programs will refuse or read wrong in the sheet</source>
        <translation>Auflisten, was andere Programme im Cuesheet ablehnen oder falsch lesen werden</translation>
    </message>
    <message>
        <source>Check Sheet</source>
        <translation>Cuesheet prüfen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>E&amp;infügen</translation>
    </message>
    <message>
        <source>&amp;Wave</source>
        <translation>&amp;Wiedergabe</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Abspielen</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
</context>
</TS>
