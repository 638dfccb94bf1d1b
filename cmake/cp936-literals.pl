#!/usr/bin/perl
# Compiler launcher for clang, which writes narrow literals only as UTF-8: the library's
# 8-bit texts must be code page 936 bytes, as GCC's -fexec-charset=CP936 makes them.
#   cp936-literals.pl COMPILER ARGS... -o OBJECT -c SOURCE
# preprocesses SOURCE, rewrites every narrow string and character literal that holds
# non-ASCII text (or a \u escape) into octal escapes of its code page 936 bytes, and
# compiles the result. Wide, UTF-16/32 and u8 literals are left as they are. The line
# markers of the preprocessed text keep file names and lines right for diagnostics and
# debug information. Commands without -c (links) run unchanged.
use strict;
use warnings;
use Encode ();

my @command = @ARGV;
my ($compile) = grep { $command[$_] eq '-c' } 0 .. $#command;
unless (defined $compile) { exec @command or die "cp936-literals: cannot run $command[0]: $!\n" }
my ($output) = grep { $command[$_] eq '-o' } 0 .. $#command;
die "cp936-literals: no -o in the command\n" unless defined $output;
my $source = $command[$compile + 1];
my $preprocessed = $command[$output + 1] . '.cp936.i';

# Preprocessing writes the dependency file (-MD, -MF...); the compile of its output must not.
my @preprocess = @command;
$preprocess[$compile] = '-E';
$preprocess[$output + 1] = $preprocessed;
system(@preprocess) == 0 or exit(($? >> 8) || 1);

my $text = do { local (@ARGV, $/) = ($preprocessed); <> };
my $literals = qr{
      ^\#[^\n]*                                                   # line markers and pragmas stay
    | (?<![\w])(?<prefix>u8|u|U|L)?(?<kind>R)"(?<delim>[^\s()\\"]{0,16})\((?<body>.*?)\)\k<delim>"
    | (?<![\w])(?<prefix>u8|u|U|L)?(?<kind>")(?<body>(?:[^"\\\n]|\\.)*)"
    | (?<![\w])(?<prefix>u8|u|U|L)?(?<kind>')(?<body>(?:[^'\\\n]|\\.)*)'
    | [A-Za-z_]\w*                                                # identifiers whole, so a prefix is one
    | \.?\d(?:[eEpP][+-]|'\w|[\w.])*                              # numbers, with their digit separators
}xms;
$text =~ s{$literals}{Rewrite($&, $+{prefix} // '', $+{kind}, $+{body})}ge;
open(my $out, '>', $preprocessed) or die "cp936-literals: $preprocessed: $!\n";
print $out $text;
close $out or die "cp936-literals: $preprocessed: $!\n";

my $language = $source =~ /\.c$/ ? 'cpp-output' : 'c++-cpp-output';
my @build;
for my $i (0 .. $#command) {
    my $arg = $command[$i];
    next if $i == $compile || $arg =~ /^-M(?:M?D|[TFQ])$/ || ($i > 0 && $command[$i - 1] =~ /^-M[TFQ]$/);
    push @build, $i == $compile + 1 ? ('-x', $language, '-c', $preprocessed) : $arg;
}
my $status = system(@build, "-Wno-unused-command-line-argument");
unlink $preprocessed;
exit($status == 0 ? 0 : (($status >> 8) || 1));

# A literal as the compiler is to see it: narrow ones with non-ASCII text as octal
# escapes of their code page 936 bytes (three digits each, so that no digit after one
# joins it), raw ones as ordinary literals first.
sub Rewrite {
    my ($token, $prefix, $kind, $body) = @_;
    return $token unless defined $kind && $prefix eq '' && $body =~ /[^\x00-\x7F]|\\[uU]/;
    if ($kind eq 'R') {
        return $token if $body !~ /[^\x00-\x7F]/;
        $body =~ s/([\\"])/\\$1/g;
        $body =~ s/\n/\\n/g;
        $kind = '"';
    }
    my $rewritten = '';
    while ($body =~ /\G(?:\\u([0-9A-Fa-f]{4})|\\U([0-9A-Fa-f]{8})|(\\.|[\x00-\x7F])|([\xC0-\xF7][\x80-\xBF]*))/gcs) {
        if (defined $1 || defined $2) { $rewritten .= Cp936(chr(hex($1 // $2))) }
        elsif (defined $3) { $rewritten .= $3 }
        else { $rewritten .= Cp936(Encode::decode('UTF-8', $4, Encode::FB_CROAK | Encode::LEAVE_SRC)) }
    }
    die "cp936-literals: $source: a literal that is not UTF-8: $token\n" if (pos($body) // 0) != length $body;
    return $kind . $rewritten . $kind;
}

sub Cp936 {
    my ($characters) = @_;
    my $bytes = eval { Encode::encode('cp936', $characters, Encode::FB_CROAK | Encode::LEAVE_SRC) };
    die sprintf("cp936-literals: %s: U+%04X has no code page 936 form\n", $source, ord $characters) unless defined $bytes;
    return join('', map { sprintf('\\%03o', ord) } split //, $bytes);
}
