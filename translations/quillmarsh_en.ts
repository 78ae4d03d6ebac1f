<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>VerificationDialogController</name>
    <message numerus="yes">
        <source>%n link(s) were checked. If you close without saving, their results are not written to the links.</source>
        <translation>
            <numerusform>%n link was checked. If you close without saving, its result is not written to the link.</numerusform>
            <numerusform>%n links were checked. If you close without saving, their results are not written to the links.</numerusform>
        </translation>
    </message>
</context>
</TS>
