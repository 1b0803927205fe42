<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-FileCopyrightText: 2026 The Trakmil developers -->
<!-- SPDX-License-Identifier: GPL-3.0-or-later -->
<!-- The toolkit ships no Romanian: the words of its file dialogs and message boxes. -->
<TS version="2.1" language="ro">
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Da</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nu</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Da la &amp;toate</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>N&amp;u la toate</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Deschide</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salveaza</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Salveaza tot</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuleaza</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Inchide</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Renunta</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Aplica</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reseteaza</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Restabileste implicitele</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajutor</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Intrerupe</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Reincearca</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignora</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>Cauta in:</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>&amp;Numele fisierului:</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>Fisiere de tipul:</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Deschide</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Salveaza</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Deschide</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Salveaza ca</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Inapoi</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Inainte</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>Mergi inapoi</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>Mergi inainte</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>Dosarul parinte</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>Mergi la dosarul parinte</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>Creeaza un dosar nou</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>Creeaza un dosar nou</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Dosar nou</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>Dosar &amp;nou</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>Lista</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>Detalii</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>Arata ca lista</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>Arata cu detalii</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Bara laterala</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>Lista de locuri si semne de carte</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>Locuri recente</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Calculatorul meu</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Dosar:</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Alege</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>Arata fisierele &amp;ascunse</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Sterge</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Redenumeste</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Sterge</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Elimina</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Toate fisierele (*)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Toate fisierele (*)</translation>
    </message>
    <message>
        <source>Directories</source>
        <translation>Dosare</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dosar</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Dosar de fisiere</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fisier</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fisiere</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>Fisier %1</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Necunoscut</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>Gaseste dosarul</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 exista deja.
Doriti sa-l inlocuiti?</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
Fisierul nu a fost gasit.
Verificati daca numele fisierului este corect.</translation>
    </message>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
Dosarul nu a fost gasit.
Verificati daca numele dosarului este corect.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete '%1'?</source>
        <translation>Sigur doriti sa stergeti '%1'?</translation>
    </message>
    <message>
        <source>'%1' is write protected.
Do you want to delete it anyway?</source>
        <translation>'%1' este protejat la scriere.
Doriti totusi sa-l stergeti?</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>Dosarul nu a putut fi sters.</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>Nume</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Marime</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Data modificarii</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Calculatorul meu</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Calculator</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>Nume de fisier nevalid</translation>
    </message>
    <message>
        <source>&lt;b&gt;The name &quot;%1&quot; cannot be used.&lt;/b&gt;&lt;p&gt;Try using another name, with fewer characters or no punctuation marks.</source>
        <translation>&lt;b&gt;Numele &quot;%1&quot; nu poate fi folosit.&lt;/b&gt;&lt;p&gt;Incercati alt nume, mai scurt sau fara semne de punctuatie.</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Show Details...</source>
        <translation>Arata detaliile...</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>Ascunde detaliile...</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Anuleaza</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Repeta</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Decupeaza</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiaza</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Lipeste</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Sterge</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Selecteaza tot</translation>
    </message>
</context>
</TS>
