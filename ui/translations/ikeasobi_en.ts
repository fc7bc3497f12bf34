<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>GameWindow</name>
    <message>
        <source>Zoom ×%1</source>
        <translation>Zoom ×%1</translation>
    </message>
    <message>
        <source>Screen&apos;s default zoom</source>
        <translation>Screen&apos;s default zoom</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Effects volume</source>
        <translation>Effects volume</translation>
    </message>
    <message>
        <source>Music volume</source>
        <translation>Music volume</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
</context>
</TS>
