// The least WebSocket client that WebDriver BiDi needs (RFC 6455): text
// messages both ways, on a plain ws:// connection. Node 20 has no WebSocket
// of its own without a flag, and the tests take no npm package.
import {randomBytes} from 'node:crypto';
import net from 'node:net';

export class WebSocketClient {
  static connect(address) {
    const url = new URL(address);
    return new Promise((resolve, reject) => {
      const socket = net.connect(Number(url.port), url.hostname);
      const key = randomBytes(16).toString('base64');
      let head = Buffer.alloc(0);
      socket.on('error', reject);
      socket.on('connect', () => socket.write(`GET ${url.pathname} HTTP/1.1\r\nHost: ${url.host}\r\n` +
        `Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: ${key}\r\nSec-WebSocket-Version: 13\r\n\r\n`));
      const onData = (data) => {
        head = Buffer.concat([head, data]);
        const end = head.indexOf('\r\n\r\n');
        if (end < 0) return;
        socket.off('data', onData);
        const status = head.toString('latin1', 0, head.indexOf('\r\n'));
        if (!/^HTTP\/1\.1 101/.test(status)) {
          socket.destroy();
          reject(new Error(`WebSocket refused: ${status}`));
          return;
        }
        const client = new WebSocketClient(socket);
        client.read(head.subarray(end + 4));
        resolve(client);
      };
      socket.on('data', onData);
    });
  }

  constructor(socket) {
    this.socket = socket;
    this.buffer = Buffer.alloc(0);
    this.parts = [];
    this.onMessage = () => {};
    this.onClose = () => {};
    socket.on('data', (data) => this.read(data));
    socket.on('close', () => this.onClose());
    socket.on('error', () => {});
  }

  read(data) {
    this.buffer = Buffer.concat([this.buffer, data]);
    for (;;) {
      const b = this.buffer;
      if (b.length < 2) return;
      let length = b[1] & 127, offset = 2;
      if (length === 126) {
        if (b.length < 4) return;
        length = b.readUInt16BE(2);
        offset = 4;
      } else if (length === 127) {
        if (b.length < 10) return;
        length = Number(b.readBigUInt64BE(2));
        offset = 10;
      }
      const masked = (b[1] & 128) !== 0, start = offset + (masked ? 4 : 0);
      if (b.length < start + length) return;
      const payload = Buffer.from(b.subarray(start, start + length));
      if (masked) for (let i = 0; i < length; i++) payload[i] ^= b[offset + (i & 3)];
      this.buffer = b.subarray(start + length);
      const final = (b[0] & 128) !== 0, opcode = b[0] & 15;
      if (opcode === 8) {
        this.socket.end();
        return;
      }
      if (opcode === 9) {
        this.frame(10, payload);
        continue;
      }
      if (opcode === 1 || opcode === 2 || opcode === 0) {
        this.parts.push(payload);
        if (final) {
          const text = Buffer.concat(this.parts).toString('utf8');
          this.parts = [];
          this.onMessage(text);
        }
      }
    }
  }

  frame(opcode, payload) {
    const mask = randomBytes(4), length = payload.length;
    const head = length < 126 ? Buffer.from([128 | opcode, 128 | length])
      : length < 65536 ? Buffer.from([128 | opcode, 128 | 126, length >> 8, length & 255])
      : Buffer.concat([Buffer.from([128 | opcode, 128 | 127]), (() => {
        const size = Buffer.alloc(8);
        size.writeBigUInt64BE(BigInt(length));
        return size;
      })()]);
    const body = Buffer.from(payload);
    for (let i = 0; i < length; i++) body[i] ^= mask[i & 3];
    this.socket.write(Buffer.concat([head, mask, body]));
  }

  send(text) {
    this.frame(1, Buffer.from(text, 'utf8'));
  }

  close() {
    this.socket.destroy();
  }
}
