<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Messages</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Untitled cuesheet</source>
        <translation>Unbenanntes Cuesheet</translation>
    </message>
    <message>
        <source>Tracksmith by Larkspur</source>
        <translation>Tracksmith von Larkspur</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Web Error</source>
        <translation>Web-Fehler</translation>
    </message>
    <message>
        <source>Verify truncation</source>
        <translation>Kürzen bestätigen</translation>
    </message>
    <message>
        <source>Invalid Index Time</source>
        <translation>Ungültige Indexzeit</translation>
    </message>
    <message>
        <source>File not inserted</source>
        <translation>Datei nicht eingefügt</translation>
    </message>
    <message>
        <source>CDA File Warning</source>
        <translation>Warnung zu CDA-Datei</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Select file to insert</source>
        <translation>Einzufügende Datei wählen</translation>
    </message>
    <message>
        <source>Cue sheets</source>
        <translation>Cuesheets</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Warning at Line %1:  %2</source>
        <translation>Warnung in Zeile %1:  %2</translation>
    </message>
    <message>
        <source>Line %1:  %2</source>
        <translation>Zeile %1:  %2</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot save &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Truncate at %1?</source>
        <translation>Bei %1 kürzen?</translation>
    </message>
    <message>
        <source>Unable to open the help file %1</source>
        <translation>Die Hilfedatei %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>The file %1</source>
        <translation>Die Datei %1</translation>
    </message>
    <message>
        <source>Unknown track type %1</source>
        <translation>Unbekannter Track-Typ %1</translation>
    </message>
    <message>
        <source>Unknown file type %1</source>
        <translation>Unbekannter Dateityp %1</translation>
    </message>
    <message>
        <source>Got new track %1</source>
        <translation>Neuer Track %1</translation>
    </message>
    <message>
        <source>Got new index %1</source>
        <translation>Neuer Index %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not added: %2</source>
        <translation>„%1“ wurde nicht hinzugefügt: %2</translation>
    </message>
    <message>
        <source>The Clipboard holds characters that the sheet's encoding, %1, cannot hold.</source>
        <translation>Die Zwischenablage enthält Zeichen, die die Kodierung des Cuesheets, %1, nicht aufnehmen kann.</translation>
    </message>
    <message>
        <source>cannot be written in this cue sheet: the sheet's encoding, %1, cannot hold its characters.</source>
        <translation>kann nicht in dieses Cuesheet geschrieben werden: Die Kodierung des Cuesheets, %1, kann seine Zeichen nicht aufnehmen.</translation>
    </message>
    <message>
        <source>cannot be written in a cue sheet: %1</source>
        <translation>kann nicht in ein Cuesheet geschrieben werden: %1</translation>
    </message>
    <message>
        <source>%1 already holds this file:</source>
        <translation>%1 enthält diese Datei schon:</translation>
    </message>
    <message>
        <source>%1 already holds %2 of these files:</source>
        <translation>%1 enthält schon %2 dieser Dateien:</translation>
    </message>
    <message>
        <source>Wrote %1 track files and %2 into %3.</source>
        <translation>%1 Track-Dateien und %2 wurden nach %3 geschrieben.</translation>
    </message>
    <message>
        <source>%1 is not within the track's range of %2.</source>
        <translation>%1 liegt nicht im Bereich des Tracks, %2.</translation>
    </message>
    <message>
        <source>Set index time anyway?</source>
        <translation>Indexzeit trotzdem setzen?</translation>
    </message>
    <message>
        <source>Replace it?</source>
        <translation>Ersetzen?</translation>
    </message>
    <message>
        <source>Replace them?</source>
        <translation>Ersetzen?</translation>
    </message>
    <message>
        <source>it is a folder.</source>
        <translation>es ist ein Ordner.</translation>
    </message>
    <message>
        <source>it cannot be read.</source>
        <translation>es lässt sich nicht lesen.</translation>
    </message>
    <message>
        <source>The file name</source>
        <translation>Der Dateiname</translation>
    </message>
    <message>
        <source>Please rename the file.</source>
        <translation>Bitte benennen Sie die Datei um.</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Export Tracks</source>
        <translation>Tracks exportieren</translation>
    </message>
    <message>
        <source>Join Into One Image</source>
        <translation>Zu einem Abbild zusammenfügen</translation>
    </message>
    <message>
        <source>Unable to launch README.TXT</source>
        <translation>README.TXT kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Unable to launch default browser.  Please visit Kestrel by pointing your browser to</source>
        <translation>Der Standardbrowser kann nicht gestartet werden.  Bitte besuchen Sie Kestrel im Browser unter</translation>
    </message>
    <message>
        <source>Save the cue sheet first: its audio files are found in the folder it is saved in.</source>
        <translation>Speichern Sie das Cuesheet zuerst: Seine Audiodateien werden in dem Ordner gesucht, in dem es gespeichert ist.</translation>
    </message>
    <message>
        <source>does not appear to be a cue sheet</source>
        <translation>scheint kein Cuesheet zu sein</translation>
    </message>
    <message>
        <source>Do you still want to insert this .cda file?</source>
        <translation>Wollen Sie diese .cda-Datei trotzdem einfügen?</translation>
    </message>
    <message>
        <source>The contents of the clipboard cannot be inserted here</source>
        <translation>Der Inhalt der Zwischenablage kann hier nicht eingefügt werden</translation>
    </message>
    <message>
        <source>Please rename the file and each subdirectory in its path to use short filenames.</source>
        <translation>Bitte benennen Sie die Datei und jeden Ordner ihres Pfades mit kurzen Dateinamen um.</translation>
    </message>
    <message>
        <source>Ignoring line</source>
        <translation>Zeile wird übergangen</translation>
    </message>
    <message>
        <source>Kept unknown line</source>
        <translation>Unbekannte Zeile beibehalten</translation>
    </message>
    <message>
        <source>NUL byte read as a blank</source>
        <translation>NUL-Byte als Leerzeichen gelesen</translation>
    </message>
    <message>
        <source>The file holds malformed wide text, read as U+FFFD</source>
        <translation>Die Datei enthält fehlerhaften Mehrbyte-Text, als U+FFFD gelesen</translation>
    </message>
    <message>
        <source>Invalid track number (track number must be higher than 0)</source>
        <translation>Ungültige Tracknummer (die Tracknummer muss größer als 0 sein)</translation>
    </message>
    <message>
        <source>No Catalog number - must specify &lt;1234567890123&gt;</source>
        <translation>Keine Katalognummer - bitte &lt;1234567890123&gt; angeben</translation>
    </message>
    <message>
        <source>No File type - must specify whether file is WAVE, BINARY, MOTOROLA, AIFF</source>
        <translation>Kein Dateityp - bitte angeben, ob die Datei WAVE, BINARY, MOTOROLA oder AIFF ist</translation>
    </message>
    <message>
        <source>No ISRC number - must specify &lt;ABCDE1234567&gt;</source>
        <translation>Keine ISRC-Nummer - bitte &lt;ABCDE1234567&gt; angeben</translation>
    </message>
    <message>
        <source>No Index number specified</source>
        <translation>Keine Indexnummer angegeben</translation>
    </message>
    <message>
        <source>No Index time - must specify &lt;mm::ss::ff&gt;</source>
        <translation>Keine Indexzeit - bitte &lt;mm::ss::ff&gt; angeben</translation>
    </message>
    <message>
        <source>No Postgap time - must specify &lt;mm::ss::ff&gt;</source>
        <translation>Keine Postgap-Zeit - bitte &lt;mm::ss::ff&gt; angeben</translation>
    </message>
    <message>
        <source>No Pregap time - must specify &lt;mm::ss::ff&gt;</source>
        <translation>Keine Pregap-Zeit - bitte &lt;mm::ss::ff&gt; angeben</translation>
    </message>
    <message>
        <source>No Track type - must specify whether track is AUDIO, CDG, MODE1/2048, etc.</source>
        <translation>Kein Track-Typ - bitte angeben, ob der Track AUDIO, CDG, MODE1/2048 usw. ist</translation>
    </message>
    <message>
        <source>No file specified</source>
        <translation>Keine Datei angegeben</translation>
    </message>
    <message>
        <source>No track number specified</source>
        <translation>Keine Tracknummer angegeben</translation>
    </message>
    <message>
        <source>Non-numeric index number</source>
        <translation>Nicht-numerische Indexnummer</translation>
    </message>
    <message>
        <source>Only one Catalog allowed</source>
        <translation>Nur eine Katalognummer erlaubt</translation>
    </message>
    <message>
        <source>Only one FLAGS allowed per track</source>
        <translation>Nur ein FLAGS je Track erlaubt</translation>
    </message>
    <message>
        <source>Only one ISRC allowed per track</source>
        <translation>Nur eine ISRC je Track erlaubt</translation>
    </message>
    <message>
        <source>Only one Postgap allowed per track</source>
        <translation>Nur ein Postgap je Track erlaubt</translation>
    </message>
    <message>
        <source>Only one Pregap allowed per track</source>
        <translation>Nur ein Pregap je Track erlaubt</translation>
    </message>
    <message>
        <source>Postgap with no track</source>
        <translation>Postgap ohne Track</translation>
    </message>
    <message>
        <source>Pregap with no track</source>
        <translation>Pregap ohne Track</translation>
    </message>
    <message>
        <source>FLAGS with no track</source>
        <translation>FLAGS ohne Track</translation>
    </message>
    <message>
        <source>ISRC with no track</source>
        <translation>ISRC ohne Track</translation>
    </message>
    <message>
        <source>Index with no track</source>
        <translation>Index ohne Track</translation>
    </message>
    <message>
        <source>Track with no file</source>
        <translation>Track ohne Datei</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Datei oder Verzeichnis nicht gefunden</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Keine Berechtigung</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Ist ein Verzeichnis</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>Kein Platz mehr auf dem Gerät</translation>
    </message>
    <message>
        <source>New from Audio Files</source>
        <translation>Neu aus Audiodateien</translation>
    </message>
    <message>
        <source>Import Tracklist</source>
        <translation>Trackliste importieren</translation>
    </message>
    <message>
        <source>Export Tracklist</source>
        <translation>Trackliste exportieren</translation>
    </message>
    <message>
        <source>Write Chapters Into</source>
        <translation>Kapitel in Kopie schreiben</translation>
    </message>
    <message>
        <source>Detect Tracks</source>
        <translation>Tracks erkennen</translation>
    </message>
    <message>
        <source>Convert Gaps</source>
        <translation>Lücken umwandeln</translation>
    </message>
    <message>
        <source>Find Missing Audio</source>
        <translation>Fehlende Audiodateien suchen</translation>
    </message>
    <message>
        <source>Verify Rip</source>
        <translation>Rip prüfen</translation>
    </message>
    <message>
        <source>Disc Information</source>
        <translation>CD-Informationen</translation>
    </message>
    <message>
        <source>Embed Sheet in Audio File</source>
        <translation>Cuesheet in Audiodatei einbetten</translation>
    </message>
    <message>
        <source>Audio for the Tracklist</source>
        <translation>Audiodatei für die Trackliste</translation>
    </message>
    <message>
        <source>Audio files with a sheet</source>
        <translation>Audiodateien mit Cuesheet</translation>
    </message>
    <message>
        <source>Audio files</source>
        <translation>Audiodateien</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Tracklists and chapters</source>
        <translation>Tracklisten und Kapitel</translation>
    </message>
    <message>
        <source>Audio with chapters</source>
        <translation>Audio mit Kapiteln</translation>
    </message>
    <message>
        <source>Disc image</source>
        <translation>CD-Abbild</translation>
    </message>
    <message>
        <source>FLAC image</source>
        <translation>FLAC-Abbild</translation>
    </message>
    <message>
        <source>WAVE image</source>
        <translation>WAVE-Abbild</translation>
    </message>
    <message>
        <source>Every FILE line&apos;s audio file is there.</source>
        <translation>Die Audiodatei jeder FILE-Zeile ist vorhanden.</translation>
    </message>
    <message>
        <source>No rip log beside the sheet.</source>
        <translation>Kein Rip-Log neben dem Cuesheet.</translation>
    </message>
    <message>
        <source>No audio track has a PREGAP to write into the image</source>
        <translation>Kein Audiotrack hat ein PREGAP, das in das Abbild geschrieben werden könnte</translation>
    </message>
    <message>
        <source>No INDEX 00 gap of an audio track is digital silence</source>
        <translation>Keine INDEX-00-Lücke eines Audiotracks ist digitale Stille</translation>
    </message>
    <message>
        <source>No audio track has an INDEX 00 gap to turn into a PREGAP</source>
        <translation>Kein Audiotrack hat eine INDEX-00-Lücke, die zu einem PREGAP werden könnte</translation>
    </message>
    <message>
        <source>The sheet has no FILE to take audio from</source>
        <translation>Das Cuesheet hat keine FILE, aus der Audio kommen könnte</translation>
    </message>
    <message>
        <source>The disc has no audio track</source>
        <translation>Die CD hat keinen Audiotrack</translation>
    </message>
    <message>
        <source>The lengths of the sheet&apos;s files are not known</source>
        <translation>Die Längen der Dateien des Cuesheets sind nicht bekannt</translation>
    </message>
    <message>
        <source>The last track holds no audio</source>
        <translation>Der letzte Track enthält kein Audio</translation>
    </message>
    <message>
        <source>The file is read-only</source>
        <translation>Die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>kein Speicher mehr frei</translation>
    </message>
</context>
</TS>
