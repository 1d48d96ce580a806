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
        <source>A file name with blanks must be in double quotes: read as &quot;%1&quot;</source>
        <translation>Ein Dateiname mit Leerzeichen muss in doppelten Anführungszeichen stehen: gelesen als „%1“</translation>
    </message>
    <message>
        <source>The closing double quote of the file name is missing: read as &quot;%1&quot;</source>
        <translation>Das schließende Anführungszeichen des Dateinamens fehlt: gelesen als „%1“</translation>
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
        <source>The text</source>
        <translation>Der Text</translation>
    </message>
    <message>
        <source>The ISRC number</source>
        <translation>Die ISRC-Nummer</translation>
    </message>
    <message>
        <source>an ISRC is 12 characters: a country code of two letters, three letters or digits for the registrant, then seven digits (CCXXXYYNNNNN)</source>
        <translation>eine ISRC hat 12 Zeichen: einen Ländercode aus zwei Buchstaben, drei Buchstaben oder Ziffern für den Registranten, dann sieben Ziffern (CCXXXYYNNNNN)</translation>
    </message>
    <message>
        <source>The comment</source>
        <translation>Der Kommentar</translation>
    </message>
    <message>
        <source>a double quote (&quot;) without its partner makes other programs read the lines after it as part of the comment</source>
        <translation>ein doppeltes Anführungszeichen (&quot;) ohne Gegenstück lässt andere Programme die Zeilen danach als Teil des Kommentars lesen</translation>
    </message>
    <message>
        <source>a double quote (&quot;) would end the text early</source>
        <translation>ein doppeltes Anführungszeichen (&quot;) würde den Text vorzeitig beenden</translation>
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
        <source>A double quote inside a quoted file name</source>
        <translation>Ein doppeltes Anführungszeichen in einem Dateinamen in Anführungszeichen</translation>
    </message>
    <message>
        <source>A double quote inside a file name with blanks</source>
        <translation>Ein doppeltes Anführungszeichen in einem Dateinamen mit Leerzeichen</translation>
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
    <message>
        <source>The FILE type word &quot;%1&quot; is refused</source>
        <translation>Das FILE-Typwort „%1“ wird abgelehnt</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: no such file</source>
        <translation>„%1“: Datei nicht vorhanden</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 Hz, %3, %4 channels; a CD holds 44100 Hz, 16-bit, stereo</source>
        <translation>„%1“ hat %2 Hz, %3, %4 Kanäle; eine CD fasst 44100 Hz, 16 Bit, Stereo</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 Hz, %3, %4 channel; a CD holds 44100 Hz, 16-bit, stereo</source>
        <translation>„%1“ hat %2 Hz, %3, %4 Kanal; eine CD fasst 44100 Hz, 16 Bit, Stereo</translation>
    </message>
    <message>
        <source>Track %1 has no INDEX 01, where its audio starts</source>
        <translation>Track %1 hat kein INDEX 01, wo sein Audio beginnt</translation>
    </message>
    <message>
        <source>Track %1 has no INDEX 01</source>
        <translation>Track %1 hat kein INDEX 01</translation>
    </message>
    <message>
        <source>Track %1 lasts %2, under the 4 seconds a CD track needs</source>
        <translation>Track %1 dauert %2, weniger als die 4 Sekunden, die ein CD-Track braucht</translation>
    </message>
    <message>
        <source>INDEX %1 at %2 is past the end of &quot;%3&quot; (%4 long)</source>
        <translation>INDEX %1 bei %2 liegt hinter dem Ende von „%3“ (%4 lang)</translation>
    </message>
    <message>
        <source>The time %1 is past 99:59:74</source>
        <translation>Die Zeit %1 liegt hinter 99:59:74</translation>
    </message>
    <message>
        <source>The CATALOG number &quot;%1&quot; is not 13 digits</source>
        <translation>Die CATALOG-Nummer „%1“ hat nicht 13 Ziffern</translation>
    </message>
    <message>
        <source>The CATALOG number &quot;%1&quot; has a wrong EAN/UPC check digit</source>
        <translation>Die CATALOG-Nummer „%1“ hat eine falsche EAN/UPC-Prüfziffer</translation>
    </message>
    <message>
        <source>The ISRC &quot;%1&quot; is not of the form CCXXXYYNNNNN</source>
        <translation>Der ISRC „%1“ hat nicht die Form CCXXXYYNNNNN</translation>
    </message>
    <message>
        <source>The ISRC %1 is already that of track %2</source>
        <translation>Der ISRC %1 gehört schon zu Track %2</translation>
    </message>
    <message>
        <source>%1 value with blanks is not in double quotes</source>
        <translation>Wert von %1 mit Leerzeichen steht nicht in doppelten Anführungszeichen</translation>
    </message>
    <message>
        <source>%1 value holds double quotes</source>
        <translation>Wert von %1 enthält doppelte Anführungszeichen</translation>
    </message>
    <message>
        <source>The CD-TEXT reaches %1 bytes here; a disc holds %2</source>
        <translation>Der CD-TEXT erreicht hier %1 Bytes; eine CD fasst %2</translation>
    </message>
    <message>
        <source>The text is %1, not UTF-8</source>
        <translation>Der Text ist %1, nicht UTF-8</translation>
    </message>
    <message>
        <source>The disc lasts %1, over the 79:57:74 a CD holds</source>
        <translation>Die CD dauert %1, mehr als die 79:57:74, die eine CD fasst</translation>
    </message>
    <message>
        <source>lossy</source>
        <translation>verlustbehaftet</translation>
    </message>
    <message>
        <source>The FILE line has no type word</source>
        <translation>Die FILE-Zeile hat kein Typwort</translation>
    </message>
    <message>
        <source>More than 99 tracks; a CD holds 99</source>
        <translation>Mehr als 99 Tracks; eine CD fasst 99</translation>
    </message>
    <message>
        <source>The text is UTF-8 without a byte-order mark</source>
        <translation>Der Text ist UTF-8 ohne Byte-Order-Mark</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Write WAVE as the type word</source>
        <translation>WAVE als Typwort schreiben</translation>
    </message>
    <message>
        <source>Put the value in double quotes</source>
        <translation>Den Wert in doppelte Anführungszeichen setzen</translation>
    </message>
    <message>
        <source>Make the inner double quotes single ones</source>
        <translation>Die inneren doppelten Anführungszeichen zu einfachen machen</translation>
    </message>
    <message>
        <source>Take out the hyphens and blanks</source>
        <translation>Bindestriche und Leerzeichen entfernen</translation>
    </message>
    <message>
        <source>players, splitters (shntool, flacon), cdrdao</source>
        <translation>Player, Splitter (shntool, flacon), cdrdao</translation>
    </message>
    <message>
        <source>cdrdao, CD burners</source>
        <translation>cdrdao, CD-Brenner</translation>
    </message>
    <message>
        <source>libcue (cueprint, cuebreakpoints), cdrdao, CD burners</source>
        <translation>libcue (cueprint, cuebreakpoints), cdrdao, CD-Brenner</translation>
    </message>
    <message>
        <source>players, libcue (cueprint, cuebreakpoints), cdrdao</source>
        <translation>Player, libcue (cueprint, cuebreakpoints), cdrdao</translation>
    </message>
    <message>
        <source>cdrdao, disc databases (MusicBrainz)</source>
        <translation>cdrdao, CD-Datenbanken (MusicBrainz)</translation>
    </message>
    <message>
        <source>disc databases (MusicBrainz, Discogs), barcode lookups</source>
        <translation>CD-Datenbanken (MusicBrainz, Discogs), Barcode-Suchen</translation>
    </message>
    <message>
        <source>disc databases (MusicBrainz), players that tag by ISRC</source>
        <translation>CD-Datenbanken (MusicBrainz), Player, die nach ISRC taggen</translation>
    </message>
    <message>
        <source>libcue (cueprint, cuebreakpoints), ffmpeg, Linux and macOS players</source>
        <translation>libcue (cueprint, cuebreakpoints), ffmpeg, Player unter Linux und macOS</translation>
    </message>
    <message>
        <source>foobar2000, EAC, Windows programs that assume the code page</source>
        <translation>foobar2000, EAC, Windows-Programme, die die Codepage voraussetzen</translation>
    </message>
    <message>
        <source>libcue (cueprint, cuebreakpoints), cdrdao</source>
        <translation>libcue (cueprint, cuebreakpoints), cdrdao</translation>
    </message>
    <message>
        <source>libcue (cueprint, cuebreakpoints)</source>
        <translation>libcue (cueprint, cuebreakpoints)</translation>
    </message>
    <message>
        <source>cdrdao</source>
        <translation>cdrdao</translation>
    </message>
    <message>
        <source>same name</source>
        <translation>gleicher Name</translation>
    </message>
    <message>
        <source>other extension</source>
        <translation>andere Endung</translation>
    </message>
    <message>
        <source>other letter case</source>
        <translation>andere Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>other letter case and extension</source>
        <translation>andere Groß-/Kleinschreibung und Endung</translation>
    </message>
    <message>
        <source>the only audio file of the folder</source>
        <translation>die einzige Audiodatei des Ordners</translation>
    </message>
    <message>
        <source>chosen</source>
        <translation>gewählt</translation>
    </message>
    <message>
        <source>Audio files were found for FILE lines whose files are missing:</source>
        <translation>Für FILE-Zeilen, deren Dateien fehlen, wurden Audiodateien gefunden:</translation>
    </message>
    <message>
        <source>Fix all of them? No keeps the sheet as it is.</source>
        <translation>Alle korrigieren? Nein lässt das Cuesheet, wie es ist.</translation>
    </message>
    <message>
        <source>No rip log beside the sheet</source>
        <translation>Kein Rip-Log neben dem Cuesheet</translation>
    </message>
    <message>
        <source>%1 log: &quot;%2&quot;</source>
        <translation>%1-Log: „%2“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large for a rip log</source>
        <translation>„%1“ ist zu groß für ein Rip-Log</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a log of Exact Audio Copy or X Lossless Decoder</source>
        <translation>„%1“ ist kein Log von Exact Audio Copy oder X Lossless Decoder</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no checksums of tracks</source>
        <translation>„%1“ enthält keine Prüfsummen von Tracks</translation>
    </message>
    <message>
        <source>verified</source>
        <translation>bestätigt</translation>
    </message>
    <message>
        <source>not verified</source>
        <translation>nicht bestätigt</translation>
    </message>
    <message>
        <source>no checksums in the %1 log</source>
        <translation>keine Prüfsummen im %1-Log</translation>
    </message>
    <message>
        <source>CRC matches</source>
        <translation>CRC stimmt</translation>
    </message>
    <message>
        <source>CRC without nulls matches</source>
        <translation>CRC ohne Nullen stimmt</translation>
    </message>
    <message>
        <source>AR v1 matches</source>
        <translation>AR v1 stimmt</translation>
    </message>
    <message>
        <source>AR v2 matches</source>
        <translation>AR v2 stimmt</translation>
    </message>
    <message>
        <source>CRC differs (log %1)</source>
        <translation>CRC weicht ab (Log %1)</translation>
    </message>
    <message>
        <source>CRC without nulls differs (log %1)</source>
        <translation>CRC ohne Nullen weicht ab (Log %1)</translation>
    </message>
    <message>
        <source>AR v1 differs (log %1)</source>
        <translation>AR v1 weicht ab (Log %1)</translation>
    </message>
    <message>
        <source>AR v2 differs (log %1)</source>
        <translation>AR v2 weicht ab (Log %1)</translation>
    </message>
    <message>
        <source>matches the log</source>
        <translation>stimmt mit dem Log überein</translation>
    </message>
    <message>
        <source>differs from the log (%1)</source>
        <translation>weicht vom Log ab (%1)</translation>
    </message>
    <message>
        <source>All %1 tracks verified</source>
        <translation>Alle %1 Tracks bestätigt</translation>
    </message>
    <message>
        <source>%1 of %2 tracks verified</source>
        <translation>%1 von %2 Tracks bestätigt</translation>
    </message>
    <message>
        <source>accurately ripped (confidence %1)</source>
        <translation>genau gerippt (Konfidenz %1)</translation>
    </message>
    <message>
        <source>not accurate</source>
        <translation>nicht genau</translation>
    </message>
    <message>
        <source>not in the database</source>
        <translation>nicht in der Datenbank</translation>
    </message>
    <message>
        <source>The AccurateRip database file is cut short</source>
        <translation>Die AccurateRip-Datenbankdatei ist abgeschnitten</translation>
    </message>
    <message>
        <source>The AccurateRip address &quot;%1&quot; is no HTTP address</source>
        <translation>Die AccurateRip-Adresse „%1“ ist keine HTTP-Adresse</translation>
    </message>
    <message>
        <source>The AccurateRip database at &quot;%1&quot; cannot be reached: %2</source>
        <translation>Die AccurateRip-Datenbank unter „%1“ ist nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>The sheet has no track with an INDEX 01, where a track&apos;s audio starts</source>
        <translation>Das Cuesheet hat keinen Track mit INDEX 01, wo das Audio eines Tracks beginnt</translation>
    </message>
    <message>
        <source>The sheet has %1 tracks; a CD holds at most 99</source>
        <translation>Das Cuesheet hat %1 Tracks; eine CD fasst höchstens 99</translation>
    </message>
    <message>
        <source>The disc has %1 tracks; a CD holds at most 99</source>
        <translation>Die CD hat %1 Tracks; eine CD fasst höchstens 99</translation>
    </message>
    <message>
        <source>Track %1 holds no audio: it starts at the end of the audio or where the next track starts</source>
        <translation>Track %1 enthält kein Audio: er beginnt am Ende des Audios oder dort, wo der nächste Track beginnt</translation>
    </message>
    <message>
        <source>Track %1 does not start after track %2</source>
        <translation>Track %1 beginnt nicht nach Track %2</translation>
    </message>
    <message>
        <source>Track %1 is an audio track in a file of data tracks: an enhanced CD&apos;s data comes last</source>
        <translation>Track %1 ist ein Audiotrack in einer Datei von Datentracks: die Daten einer Enhanced CD kommen zuletzt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds audio after the data tracks: an enhanced CD&apos;s data comes last</source>
        <translation>„%1“ enthält Audio nach den Datentracks: die Daten einer Enhanced CD kommen zuletzt</translation>
    </message>
    <message>
        <source>Track %1 is a %2 track in a file of audio tracks: an enhanced CD&apos;s data tracks need files of their own</source>
        <translation>Track %1 ist ein %2-Track in einer Datei von Audiotracks: die Datentracks einer Enhanced CD brauchen eigene Dateien</translation>
    </message>
    <message>
        <source>Track %1 is a %2 track before the audio: only audio discs and enhanced CDs, whose data comes last, have these IDs and checksums</source>
        <translation>Track %1 ist ein %2-Track vor dem Audio: nur Audio-CDs und Enhanced CDs, deren Daten zuletzt kommen, haben diese IDs und Prüfsummen</translation>
    </message>
    <message>
        <source>INDEX %1 of track %2 (%3) lies past the end of &quot;%4&quot;</source>
        <translation>INDEX %1 von Track %2 (%3) liegt hinter dem Ende von „%4“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not 44.1 kHz 16-bit stereo audio, which rip checksums are defined on</source>
        <translation>„%1“ ist kein Audio mit 44,1 kHz, 16 Bit, Stereo, für das Rip-Prüfsummen definiert sind</translation>
    </message>
    <message>
        <source>Writing %1 track files...</source>
        <translation>%1 Trackdateien werden geschrieben...</translation>
    </message>
    <message>
        <source>Writing %1 files...</source>
        <translation>%1 Dateien werden geschrieben...</translation>
    </message>
    <message>
        <source>Writing %1 file...</source>
        <translation>%1 Datei wird geschrieben...</translation>
    </message>
    <message>
        <source>Writing %1...</source>
        <translation>%1 wird geschrieben...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read</source>
        <translation>„%1“ kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be written from &quot;%2&quot;: %3</source>
        <translation>„%1“ kann nicht aus „%2“ geschrieben werden: %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be written: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be made: %2</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be made: %2</source>
        <translation>„%1“ kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; exists already; nothing was written</source>
        <translation>„%1“ gibt es schon; nichts wurde geschrieben</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file of the sheet; nothing was written</source>
        <translation>„%1“ ist eine Datei des Cuesheets; nichts wurde geschrieben</translation>
    </message>
    <message>
        <source>&quot;%1&quot; exists already; the track files are written, their sheet is not</source>
        <translation>„%1“ gibt es schon; die Trackdateien sind geschrieben, ihr Cuesheet nicht</translation>
    </message>
    <message>
        <source>No file can be made in &quot;%1&quot;: %2</source>
        <translation>In „%1“ kann keine Datei angelegt werden: %2</translation>
    </message>
    <message>
        <source>The sheet has no track to cut</source>
        <translation>Das Cuesheet hat keinen Track zum Schneiden</translation>
    </message>
    <message>
        <source>The sheet has no FILE</source>
        <translation>Das Cuesheet hat keine FILE</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no track</source>
        <translation>„%1“ hat keinen Track</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no audio</source>
        <translation>„%1“ enthält kein Audio</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no chapters</source>
        <translation>„%1“ hat keine Kapitel</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no tracklist: it is not text</source>
        <translation>„%1“ ist keine Trackliste: es ist kein Text</translation>
    </message>
    <message>
        <source>The tracklist cannot be laid on &quot;%1&quot;: %2</source>
        <translation>Die Trackliste kann nicht auf „%1“ gelegt werden: %2</translation>
    </message>
    <message>
        <source>The sheet&apos;s chapters cannot be made: %1</source>
        <translation>Die Kapitel des Cuesheets können nicht erstellt werden: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the audio the chapters are taken from: choose another name for the copy</source>
        <translation>„%1“ ist das Audio, aus dem die Kapitel stammen: wählen Sie einen anderen Namen für die Kopie</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot take chapters: name it .m4a, .m4b, .mka, .ogg or .flac</source>
        <translation>„%1“ kann keine Kapitel aufnehmen: nennen Sie die Datei .m4a, .m4b, .mka, .ogg oder .flac</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is neither a .flac nor a .wav file: the image is written as FLAC or WAVE</source>
        <translation>„%1“ ist weder eine .flac- noch eine .wav-Datei: das Abbild wird als FLAC oder WAVE geschrieben</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be named on a FILE line: leave out double quotes and line breaks</source>
        <translation>„%1“ kann nicht in einer FILE-Zeile stehen: lassen Sie doppelte Anführungszeichen und Zeilenumbrüche weg</translation>
    </message>
    <message>
        <source>&quot;%1&quot; would hold raw sectors under an audio file&apos;s name: name the image .bin</source>
        <translation>„%1“ würde rohe Sektoren unter dem Namen einer Audiodatei enthalten: nennen Sie das Abbild .bin</translation>
    </message>
    <message>
        <source>&quot;%1&quot; would be its own cue sheet: give the image another extension, such as .bin</source>
        <translation>„%1“ wäre sein eigenes Cuesheet: geben Sie dem Abbild eine andere Endung, etwa .bin</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot name the track files: leave out slashes, double quotes and line breaks</source>
        <translation>„%1“ kann die Trackdateien nicht benennen: lassen Sie Schrägstriche, doppelte Anführungszeichen und Zeilenumbrüche weg</translation>
    </message>
    <message>
        <source>the length of &quot;%1&quot; is not known</source>
        <translation>die Länge von „%1“ ist nicht bekannt</translation>
    </message>
    <message>
        <source>it is not a %1 file</source>
        <translation>es ist keine %1-Datei</translation>
    </message>
    <message>
        <source>no temporary file can be made beside it: %1</source>
        <translation>daneben kann keine temporäre Datei angelegt werden: %1</translation>
    </message>
    <message>
        <source>the copy cannot get the file&apos;s owner: %1</source>
        <translation>die Kopie kann den Eigentümer der Datei nicht übernehmen: %1</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>ends before the sheet says it does</source>
        <translation>endet früher, als das Cuesheet angibt</translation>
    </message>
    <message>
        <source>it exists already</source>
        <translation>es gibt sie schon</translation>
    </message>
    <message>
        <source>it is shorter than when it was measured</source>
        <translation>sie ist kürzer als beim Messen</translation>
    </message>
    <message>
        <source>a file of the image is shorter than when it was measured</source>
        <translation>eine Datei des Abbilds ist kürzer als beim Messen</translation>
    </message>
    <message>
        <source>the file holds no audio</source>
        <translation>die Datei enthält kein Audio</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>not an audio file</source>
        <translation>keine Audiodatei</translation>
    </message>
    <message>
        <source>no audio file was given</source>
        <translation>keine Audiodatei angegeben</translation>
    </message>
    <message>
        <source>the list names no track</source>
        <translation>die Liste nennt keinen Track</translation>
    </message>
    <message>
        <source>the sheet has no track</source>
        <translation>das Cuesheet hat keinen Track</translation>
    </message>
    <message>
        <source>it is not a FLAC file</source>
        <translation>es ist keine FLAC-Datei</translation>
    </message>
    <message>
        <source>its metadata is damaged</source>
        <translation>ihre Metadaten sind beschädigt</translation>
    </message>
    <message>
        <source>it cannot be opened</source>
        <translation>sie kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>it cannot be written</source>
        <translation>sie kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>its copy cannot be written</source>
        <translation>ihre Kopie kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the sheet is not valid UTF-8 text</source>
        <translation>das Cuesheet ist kein gültiger UTF-8-Text</translation>
    </message>
    <message>
        <source>its CUESHEET APEv2 tag is not UTF-8 text and cannot be read</source>
        <translation>ihr CUESHEET-APEv2-Tag ist kein UTF-8-Text und kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>its tag cannot be written</source>
        <translation>ihr Tag kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>it is not a FLAC, WavPack or APE file</source>
        <translation>es ist keine FLAC-, WavPack- oder APE-Datei</translation>
    </message>
    <message>
        <source>the tag did not read back as written</source>
        <translation>das Tag las sich nicht so zurück, wie es geschrieben wurde</translation>
    </message>
    <message>
        <source>encoding failed</source>
        <translation>das Kodieren schlug fehl</translation>
    </message>
    <message>
        <source>cannot convert the samples</source>
        <translation>die Samples können nicht umgewandelt werden</translation>
    </message>
    <message>
        <source>cannot buffer the samples</source>
        <translation>die Samples können nicht gepuffert werden</translation>
    </message>
    <message>
        <source>cannot set up the stream</source>
        <translation>der Datenstrom kann nicht eingerichtet werden</translation>
    </message>
    <message>
        <source>cannot be created</source>
        <translation>kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot write its header</source>
        <translation>ihr Kopf kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot be written</source>
        <translation>kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot be finished</source>
        <translation>kann nicht abgeschlossen werden</translation>
    </message>
    <message>
        <source>libdiscid cannot start</source>
        <translation>libdiscid kann nicht starten</translation>
    </message>
    <message>
        <source>no time at the start or end of the line</source>
        <translation>keine Zeit am Anfang oder Ende der Zeile</translation>
    </message>
    <message>
        <source>not a label: start and end seconds, then the text</source>
        <translation>keine Textmarke: Anfangs- und Endsekunde, dann der Text</translation>
    </message>
    <message>
        <source>not a key=value line</source>
        <translation>keine Zeile der Form Schlüssel=Wert</translation>
    </message>
    <message>
        <source>TIMEBASE is not a fraction like 1/1000</source>
        <translation>TIMEBASE ist kein Bruch wie 1/1000</translation>
    </message>
    <message>
        <source>no START</source>
        <translation>kein START</translation>
    </message>
    <message>
        <source>no ChapterTimeStart</source>
        <translation>kein ChapterTimeStart</translation>
    </message>
    <message>
        <source>a hidden chapter</source>
        <translation>ein verborgenes Kapitel</translation>
    </message>
    <message>
        <source>no time in the &quot;start&quot; column</source>
        <translation>keine Zeit in der Spalte „start“</translation>
    </message>
    <message>
        <source>no time in the &quot;duration&quot; column</source>
        <translation>keine Zeit in der Spalte „duration“</translation>
    </message>
    <message>
        <source>Cannot embed the sheet: %1</source>
        <translation>Das Cuesheet kann nicht eingebettet werden: %1</translation>
    </message>
    <message>
        <source>The sheet is embedded in &quot;%1&quot;.</source>
        <translation>Das Cuesheet ist in „%1“ eingebettet.</translation>
    </message>
    <message>
        <source>only a sheet with one FILE line can be embedded, and this one has %1</source>
        <translation>nur ein Cuesheet mit einer FILE-Zeile kann eingebettet werden, und dieses hat %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a FLAC, WavPack or APE file</source>
        <translation>„%1“ ist keine FLAC-, WavPack- oder APE-Datei</translation>
    </message>
    <message>
        <source>a CUESHEET tag holds UTF-8 text, and the sheet&apos;s text is %1; save the sheet as a .cue file instead</source>
        <translation>ein CUESHEET-Tag enthält UTF-8-Text, und der Text des Cuesheets ist %1; speichern Sie das Cuesheet stattdessen als .cue-Datei</translation>
    </message>
    <message>
        <source>not valid UTF-8</source>
        <translation>kein gültiges UTF-8</translation>
    </message>
    <message>
        <source>sheets in audio files cannot be written here</source>
        <translation>Cuesheets in Audiodateien können hier nicht geschrieben werden</translation>
    </message>
    <message>
        <source>sheets in audio files cannot be read here</source>
        <translation>Cuesheets in Audiodateien können hier nicht gelesen werden</translation>
    </message>
    <message>
        <source>it carries no cue sheet (no CUESHEET tag or block)</source>
        <translation>sie trägt kein Cuesheet (kein CUESHEET-Tag oder -Block)</translation>
    </message>
    <message>
        <source>The CUESHEET %1 of &quot;%2&quot; is not UTF-8 text; it is read as Windows-1252.</source>
        <translation>Der CUESHEET-%1 von „%2“ ist kein UTF-8-Text; er wird als Windows-1252 gelesen.</translation>
    </message>
    <message>
        <source>The CUESHEET %1 of &quot;%2&quot; is not UTF-8 text; the characters that cannot be read show as U+FFFD.</source>
        <translation>Der CUESHEET-%1 von „%2“ ist kein UTF-8-Text; nicht lesbare Zeichen erscheinen als U+FFFD.</translation>
    </message>
    <message>
        <source>The CUESHEET %1 and the CUESHEET block of &quot;%2&quot; differ; the tag&apos;s sheet is opened.</source>
        <translation>Der CUESHEET-%1 und der CUESHEET-Block von „%2“ unterscheiden sich; das Cuesheet des Tags wird geöffnet.</translation>
    </message>
    <message>
        <source>The CUESHEET block of &quot;%1&quot; puts %2 between two CD frames; it opens at the frame before.</source>
        <translation>Der CUESHEET-Block von „%1“ legt %2 zwischen zwei CD-Frames; er wird beim Frame davor geöffnet.</translation>
    </message>
    <message>
        <source>The sheet in &quot;%1&quot; names %2 files; their FILE lines are kept as they are.</source>
        <translation>Das Cuesheet in „%1“ nennt %2 Dateien; ihre FILE-Zeilen bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>Wrote %1 chapters into &quot;%2&quot;.</source>
        <translation>%1 Kapitel in „%2“ geschrieben.</translation>
    </message>
    <message>
        <source>Wrote &quot;%1&quot; with %2 chapters.</source>
        <translation>„%1“ mit %2 Kapiteln geschrieben.</translation>
    </message>
    <message>
        <source>Wrote &quot;%1&quot; and its cue sheet &quot;%2&quot;.</source>
        <translation>„%1“ und sein Cuesheet „%2“ geschrieben.</translation>
    </message>
    <message>
        <source>%1 indexes fall between two CD frames in the image and were moved to the nearest.</source>
        <translation>%1 Indizes fallen im Abbild zwischen zwei CD-Frames und wurden auf den nächsten verschoben.</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>Datei nicht vorhanden</translation>
    </message>
    <message>
        <source>a folder, not an audio file</source>
        <translation>ein Ordner, keine Audiodatei</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>its audio cannot be decoded</source>
        <translation>ihr Audio kann nicht dekodiert werden</translation>
    </message>
    <message>
        <source>another program has locked it</source>
        <translation>ein anderes Programm hat sie gesperrt</translation>
    </message>
    <message>
        <source>it has no channels</source>
        <translation>sie hat keine Kanäle</translation>
    </message>
    <message>
        <source>its sample rate is 0</source>
        <translation>ihre Abtastrate ist 0</translation>
    </message>
    <message>
        <source>its sample data cannot be reached</source>
        <translation>ihre Sampledaten sind nicht erreichbar</translation>
    </message>
    <message>
        <source>the sound output cannot be opened: %1</source>
        <translation>die Tonausgabe kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>no audio device</source>
        <translation>kein Audiogerät</translation>
    </message>
    <message>
        <source>Converted the gaps of tracks %1 into copies of %2 files.</source>
        <translation>Die Lücken der Tracks %1 wurden in Kopien von %2 Dateien umgewandelt.</translation>
    </message>
    <message>
        <source>Converted the gaps of tracks %1 into copies of %2 file.</source>
        <translation>Die Lücken der Tracks %1 wurden in Kopien von %2 Datei umgewandelt.</translation>
    </message>
    <message>
        <source>Converted the gaps of track %1 into copies of %2 files.</source>
        <translation>Die Lücken von Track %1 wurden in Kopien von %2 Dateien umgewandelt.</translation>
    </message>
    <message>
        <source>Converted the gaps of track %1 into copies of %2 file.</source>
        <translation>Die Lücken von Track %1 wurden in Kopien von %2 Datei umgewandelt.</translation>
    </message>
    <message>
        <source>The INDEX 00 gaps of tracks %1 are not digital silence and stay as they are.</source>
        <translation>Die INDEX-00-Lücken der Tracks %1 sind keine digitale Stille und bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>The INDEX 00 gaps of track %1 are not digital silence and stay as they are.</source>
        <translation>Die INDEX-00-Lücken von Track %1 sind keine digitale Stille und bleiben, wie sie sind.</translation>
    </message>
</context>
</TS>
